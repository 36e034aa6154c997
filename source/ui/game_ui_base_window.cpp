#include "ui/game_ui_base_window.h"

#include "ui/game_ui_label.h"
#include "ui/game_ui_layout_rectangle.h"
#include "ui/game_ui_push_button.h"

namespace {

const float enabledFill[4] = {0.15f, 0.15f, 0.15f, 0.85f};
const float enabledOutline[4] = {0.4f, 0.4f, 0.4f, 0.85f};
const float disabledFill[4] = {0.05f, 0.05f, 0.05f, 0.85f};
const float disabledOutline[4] = {0.2f, 0.2f, 0.2f, 0.85f};

} // namespace

GameUIBaseWindow::GameUIBaseWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                                   const std::string& title, const float topLeft[2], const float bottomRight[2],
                                   std::uint32_t depth, GameUIBaseElement* parent, bool hasCloseButton)
    : GameUIStandardElement(tag, owner, topLeft, bottomRight, theme, name, "", parent), context(owner),
      renderer(owner ? owner->renderInterface : nullptr), soundManager(owner ? owner->soundManager : nullptr),
      title(title), hasCloseButton(hasCloseButton ? 1 : 0) {
    const float left = absTopLeft[0], top = absTopLeft[1], right = absBottomRight[0], bottom = absBottomRight[1];
    frameRect[0] = left;
    frameRect[1] = top;
    frameRect[2] = right;
    frameRect[3] = bottom;

    std::uint32_t frameLayer = depth, titleLayer = depth;
    if (parent && parent->depth < maxDepth) {
        frameLayer = parent->depth + 1;
        titleLayer = parent->depth + 2;
    } else if (parent) {
        frameLayer = maxDepth;
    }

    frameRectangle = new GameUILayoutRectangle(tag, owner, theme, "mainWindowLayoutRectangle", absTopLeft,
                                               absBottomRight, frameLayer, nullptr, enabledFill, true, 2, true,
                                               enabledOutline);
    const float barTopLeft[2] = {left, top};
    const float barBottomRight[2] = {right, top - titleBarHeight};
    titleBarRectangle = new GameUILayoutRectangle(tag, owner, theme, "titleBArLayoutRectangle", barTopLeft,
                                                  barBottomRight, titleLayer, nullptr, enabledOutline, false, 0, false,
                                                  enabledOutline);
    this->depth = titleLayer;

    const float labelTopLeft[2] = {-0.95f, 0.95f};
    const float labelBottomRight[2] = {0.8f, -0.95f};
    titleLabel = new GameUILabel(owner, theme, "windowTitle", "", "", labelTopLeft, labelBottomRight, titleBarRectangle,
                                 labelflag::notRightAligned, labelflag::notCentred, labelflag::vertCentred);
    setTitleText("TitleBarText");
    titleLabel->setFonts("EBGaramond-Regular_48", "original-garamond-bold-bt_48");
    // A title names what the window works on (an item, a file): one that is too long must not
    // wrap out of the bar over the window's own contents.
    titleLabel->keepOnOneLine();

    const float screenW = screenWidth(), screenH = screenHeight();
    if (hasCloseButton) {
        const float barW = right - left, barH = titleBarHeight;
        const float px = (4.0f / screenW) / (barW * 0.5f);
        const float py = (4.0f / screenH) / (barH * 0.5f);
        const float h = barH * 0.5f * 1.2f;
        const float w = ((1.0f / screenW) * screenH * h) / (barW * 0.5f);
        const float buttonTopLeft[2] = {1.0f - px - w, 1.0f - py};
        const float buttonBottomRight[2] = {1.0f - px, 1.0f - py - 1.2f};
        closeButton = new GameUIPushButton(owner, theme, "closeDialogButton", "X", "Close the Window", buttonTopLeft,
                                           buttonBottomRight, titleBarRectangle);
        closeButton->signalsEnabled = 1;
        closeButton->clickSignal.connect(this, &GameUIBaseWindow::onCloseButton);
        addChild(closeButton);
    }
    topDepth = getMaxChildDepth();

    const float content[4] = {left + 4.0f / screenW, top - titleBarHeight - 4.0f / screenH, right - 4.0f / screenW,
                              bottom + 4.0f / screenH};
    localTopLeft[0] = absTopLeft[0] = content[0];
    localTopLeft[1] = absTopLeft[1] = content[1];
    localBottomRight[0] = absBottomRight[0] = content[2];
    localBottomRight[1] = absBottomRight[1] = content[3];
}

GameUIBaseWindow::~GameUIBaseWindow() {
    if (closeButton) closeButton->clickSignal.disconnect(this);
    delete frameRectangle;
    delete titleBarRectangle;
    delete titleLabel;
}

void GameUIBaseWindow::setTitleText(const char* colourId) {
    titleLabel->setText(std::string("<id='") + colourId + "'[*" + title + "]>");
}

void GameUIBaseWindow::onCloseButton(UIEvent::Data& event) {
    if (event.type != UIEvent::Click) return;
    eventData.type = UIEvent::Click;
    eventData.name = "closeDialog";
    eventData.source = this;
    windowSignal.emit(eventData);
}

void GameUIBaseWindow::reportEvent(const std::string& name, std::uint32_t value) {
    eventData.type = UIEvent::Click;
    eventData.name = name;
    eventData.source = this;
    eventData.value = value;
    windowSignal.emit(eventData);
}

bool GameUIBaseWindow::containsPoint(float x, float y) {
    if (frameRect[0] <= x && x <= frameRect[2] && frameRect[3] <= y && y <= frameRect[1]) return true;
    return hasCloseButton && closeButton && closeButton->containsPoint(x, y);
}

void GameUIBaseWindow::onEnabled() {
    GameUIStandardElement::onEnabled();
    setTitleText("TitleBarText");
    frameRectangle->setColour(enabledFill);
    frameRectangle->setBorderColour(enabledOutline);
    titleBarRectangle->setColour(enabledOutline);
}

void GameUIBaseWindow::onDisabled() {
    GameUIStandardElement::onDisabled();
    setTitleText("TitleBarTextDisabled");
    frameRectangle->setColour(disabledFill);
    frameRectangle->setBorderColour(disabledOutline);
    titleBarRectangle->setColour(disabledOutline);
}
