#include "ui/game_ui_label.h"

#include "render/text_markup.h"
#include "ui/one_line_text.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"

GameUILabel::GameUILabel(UIContext* owner, const Theme* theme, const std::string& name, const std::string& text,
                         const std::string& toolTip, const float topLeft[2], const float bottomRight[2],
                         GameUIBaseElement* parent, bool rightAligned, bool centred, bool vertCentred)
    : GameUIBaseElement(owner, topLeft, bottomRight, theme, name, parent), text(text) {
    toolTipText = toolTip;
    depth = topDepth = childDepth(parent);
    if (const RenderInterface* ri = renderInterface()) fontName = ri->mainFontName();
    textBox = uiobject::create(renderInterface(), "TextBox", depth);
    uiobject::setCorners<TextBoxParameters>(textBox, absTopLeft, absBottomRight);
    uiobject::setString(textBox, TextBoxParameters::string, text);
    uiobject::setInt(textBox, TextBoxParameters::horizAlignment, rightAligned ? 1 : centred ? 0 : -1);
    uiobject::setInt(textBox, TextBoxParameters::vertAlignment, vertCentred ? 0 : -1);
    if (theme) {
        uiobject::setColour(textBox, TextBoxParameters::colour, (*theme)[Theme::TextNormal]);
        uiobject::setColour(textBox, TextBoxParameters::colour2, (*theme)[Theme::TextNormal2]);
    }
}

GameUILabel::~GameUILabel() { uiobject::destroy(renderInterface(), textBox); }

void GameUILabel::setText(const std::string& newText) {
    if (&newText != &text) text = newText;
    showText();
}

void GameUILabel::setFonts(const std::string& font, const std::string& boldFont) {
    fontName = font;
    uiobject::setString(textBox, TextBoxParameters::font, font);
    uiobject::setString(textBox, TextBoxParameters::boldFont, boldFont);
    showText();
}

void GameUILabel::keepOnOneLine() {
    oneLine = 1;
    showText();
}

void GameUILabel::shrinkToFit() {
    const float width = absBottomRight[0] - absTopLeft[0] - pixelWidth();
    const FittingFonts fonts = fontsThatFit(renderInterface(), text, width);
    if (fonts.regular != fontName) setFonts(fonts.regular, fonts.bold.empty() ? fonts.regular : fonts.bold);
}

void GameUILabel::showText() {
    if (!oneLine) {
        uiobject::setString(textBox, TextBoxParameters::string, text);
        return;
    }
    // On one line a line break is a space.
    std::string line;
    MarkupScanner scanner(text);
    MarkupToken token;
    while (scanner.next(token)) {
        if (token.kind == MarkupToken::Kind::LineBreak) line += ' ';
        else line.append(text, token.start, token.end - token.start);
    }
    // A pixel to spare: the text's left edge is snapped to a pixel.
    const float width = absBottomRight[0] - absTopLeft[0] - pixelWidth();
    uiobject::setString(textBox, TextBoxParameters::string, cutWithEllipsis(renderInterface(), fontName, line, width));
}

bool GameUILabel::onMouseMove(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    reportUnderPointer();
    return true;
}

void GameUILabel::onEnabled() {
    if (!theme) return;
    uiobject::setColour(textBox, TextBoxParameters::colour, (*theme)[Theme::TextNormal]);
    uiobject::setColour(textBox, TextBoxParameters::colour2, (*theme)[Theme::TextNormal2]);
}

void GameUILabel::onDisabled() {
    if (!theme) return;
    uiobject::setColour(textBox, TextBoxParameters::colour, (*theme)[Theme::TextDisabled]);
    uiobject::setColour(textBox, TextBoxParameters::colour2, (*theme)[Theme::TextDisabled]);
}

void GameUILabel::fillEventData(UIEvent::Data& out) {
    out.type = UIEvent::LabelRecord;
    out.name = name;
    out.source = this;
    out.value = 0;
    if (parent) out.parentName = parent->name;
}
