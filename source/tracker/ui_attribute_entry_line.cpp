#include "tracker/ui_attribute_entry_line.h"

#include <algorithm>

#include "render/render_interface.h"
#include "tracker/numeric_text.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"

namespace {

std::string signedText(int modifier) {
    return modifier > 0 ? "+" + std::to_string(modifier) : std::to_string(modifier);
}

bool isScore(int score) {
    return score >= UIAttributeEntryLine::lowestScore && score <= UIAttributeEntryLine::highestScore;
}

} // namespace

UIAttributeEntryLine::UIAttributeEntryLine(std::uint32_t tag, UIContext* owner, const std::string& description,
                                           int score, int modifier, const std::string& name,
                                           const std::string& toolTip, const Theme* theme, const float topLeft[2],
                                           const float bottomRight[2], GameUIBaseElement* parent)
    : GameUIBaseElement(owner, topLeft, bottomRight, theme, name, parent), resourcePool(tag), heldScore(score) {
    // Placed first, so that the row's widgets draw above the window that holds it.
    depth = topDepth = childDepth(parent);
    const float labelTopLeft[2] = {-1.0f, 1.0f}, labelBottomRight[2] = {-0.15f, -1.0f};
    descriptionLabel =
        new GameUILabel(owner, theme, "attributeDescription", description, toolTip, labelTopLeft, labelBottomRight,
                        this, labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop);
    RenderInterface* ri = renderInterface();
    const std::string font = ri ? ri->mainFontName() : std::string();
    const float boxTopLeft[2] = {-0.05f, 1.0f}, boxBottomRight[2] = {0.25f, -1.0f};
    valueBox = new GameUIEditableTextLineBox(owner, theme, "attributeDisplay", isScore(score) ? std::to_string(score) : "0",
                                             font, toolTip, boxTopLeft, boxBottomRight, this, true);
    const float modifierTopLeft[2] = {0.45f, 1.0f}, modifierBottomRight[2] = {1.0f, -1.0f};
    modifierLabel =
        new GameUILabel(owner, theme, "attributeModifier", signedText(modifier), "", modifierTopLeft,
                        modifierBottomRight, this, labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop);
    depth = valueBox->depth;
    topDepth = valueBox->topDepth;
    valueBox->eventSignal.connect(this, &UIAttributeEntryLine::onValueBoxEvent);
}

UIAttributeEntryLine::~UIAttributeEntryLine() {
    valueBox->eventSignal.disconnect(this);
    delete descriptionLabel;
    delete valueBox;
    delete modifierLabel;
}

void UIAttributeEntryLine::setValue(int score) {
    if (!isScore(score)) return;
    heldScore = score;
    valueBox->setText(std::to_string(score));
}

void UIAttributeEntryLine::setModifierText(int modifier) { modifierLabel->setText(signedText(modifier)); }

bool UIAttributeEntryLine::hasNumericValue() const { return numerictext::isAllDigits(valueBox->text); }

int UIAttributeEntryLine::value() const {
    // Anything longer than a score reads as one past the highest, which validation cuts back.
    return static_cast<int>(numerictext::readNumber(valueBox->text, highestScore + 1));
}

bool UIAttributeEntryLine::onMouseButton(MouseEvent::Data& event) {
    for (GameUIBaseElement* child : {static_cast<GameUIBaseElement*>(descriptionLabel),
                                     static_cast<GameUIBaseElement*>(modifierLabel),
                                     static_cast<GameUIBaseElement*>(valueBox)}) {
        if (child->containsPoint(event.x, event.y) && child->onMouseButton(event)) return true;
    }
    return false;
}

bool UIAttributeEntryLine::onMouseMove(MouseEvent::Data& event) {
    for (GameUIBaseElement* child : {static_cast<GameUIBaseElement*>(descriptionLabel),
                                     static_cast<GameUIBaseElement*>(modifierLabel),
                                     static_cast<GameUIBaseElement*>(valueBox)}) {
        if (child->containsPoint(event.x, event.y) && child->onMouseMove(event)) return true;
    }
    return false;
}

bool UIAttributeEntryLine::onKey(KeyEvent::Data& event) { return valueBox ? valueBox->onKey(event) : false; }

void UIAttributeEntryLine::update(float dt) {
    descriptionLabel->update(dt);
    modifierLabel->update(dt);
    valueBox->update(dt);
    validateNow();
}

void UIAttributeEntryLine::validateNow() {
    if (!validatePending) return;
    validatePending = 0;
    validate();
}

void UIAttributeEntryLine::onValueBoxEvent(UIEvent::Data& event) {
    if (event.name == "lostEditFocus" || event.name == "enterPressed") editEndedPending = 1;
    validatePending = 1;
}

void UIAttributeEntryLine::accept(int score) {
    // The owner already has it.
    if (score == heldScore) return;
    heldScore = score;
    eventData.type = UIEvent::AttributeAccepted;
    eventData.name = name;
    eventData.parentName = parent ? parent->name : std::string();
    eventData.source = this;
    eventData.value = static_cast<std::uint32_t>(score);
    eventSignal.emit(eventData);
}

void UIAttributeEntryLine::validate() {
    const bool editEnded = editEndedPending != 0;
    editEndedPending = 0;
    if (hasNumericValue()) {
        const int typed = value();
        if (typed > highestScore) {
            valueBox->setText(std::to_string(highestScore));
            accept(highestScore);
        } else if (typed >= lowestTypedScore) {
            accept(typed);
        } else if (editEnded) {
            valueBox->setText(std::to_string(lowestTypedScore));
            accept(lowestTypedScore);
        }
        // Otherwise a 1 or a 2 may be the first digit of a score still being typed (or what is
        // left of one being erased): it waits for the edit to end.
    } else if (!valueBox->text.empty() || editEnded) {
        // A sign, a point, or a box left empty: it shows the score held again.
        valueBox->setText(isScore(heldScore) ? std::to_string(heldScore) : "0");
    }
}
