#include "tracker/sheet/bravui_saving_throw_display.h"

#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"

BRAVUIStatDisplay::BRAVUIStatDisplay(UIContext* owner, const Theme* theme, const std::string& name,
                                     const std::string& caption, const std::string& toolTip, std::int32_t value,
                                     std::int32_t highest, const float topLeft[2], const float bottomRight[2],
                                     GameUIBaseElement* parent, const char* captionId, const char* boxId,
                                     float boxRight)
    : GameUIBaseElement(owner, topLeft, bottomRight, theme, name, parent) {
    toolTipText = toolTip;
    depth = topDepth = childDepth(parent);
    const float captionTopLeft[2] = {-1.0f, 1.0f}, captionBottomRight[2] = {0.35f, -1.0f};
    captionLabel = new GameUILabel(owner, theme, captionId, caption, toolTip, captionTopLeft, captionBottomRight, this,
                                   labelflag::rightAligned, labelflag::centred, labelflag::vertCentred);
    captionLabel->keepOnOneLine();
    const float boxTopLeft[2] = {0.45f, 1.0f}, boxBottomRight[2] = {boxRight, -1.0f};
    valueBox = new GameUIEditableTextLineBox(owner, theme, boxId, valueText(value, highest),
                                             windowparts::mainFont(*this), toolTip, boxTopLeft, boxBottomRight, this,
                                             false);
    // A display: the value comes from the rules, never from typing.
    valueBox->editable = 0;
    depth = valueBox->depth;
    topDepth = valueBox->topDepth;
}

BRAVUIStatDisplay::~BRAVUIStatDisplay() {
    delete captionLabel;
    delete valueBox;
}

std::string BRAVUIStatDisplay::valueText(std::int32_t value, std::int32_t highest) {
    return value >= 1 && value <= highest ? std::to_string(value) : std::string("0");
}

bool BRAVUIStatDisplay::onMouseButton(MouseEvent::Data& event) {
    for (GameUIBaseElement* child : {static_cast<GameUIBaseElement*>(captionLabel),
                                     static_cast<GameUIBaseElement*>(valueBox)}) {
        if (child->containsPoint(event.x, event.y) && child->onMouseButton(event)) return true;
    }
    return false;
}

bool BRAVUIStatDisplay::onMouseMove(MouseEvent::Data& event) {
    for (GameUIBaseElement* child : {static_cast<GameUIBaseElement*>(captionLabel),
                                     static_cast<GameUIBaseElement*>(valueBox)}) {
        if (child->containsPoint(event.x, event.y) && child->onMouseMove(event)) return true;
    }
    return false;
}

void BRAVUIStatDisplay::update(float dt) {
    captionLabel->update(dt);
    valueBox->update(dt);
}

BRAVUISavingThrowDisplay::BRAVUISavingThrowDisplay(UIContext* owner, const Theme* theme, const std::string& name,
                                                   const std::string& caption, const std::string& toolTip,
                                                   std::int32_t value, const float topLeft[2],
                                                   const float bottomRight[2], GameUIBaseElement* parent)
    : BRAVUIStatDisplay(owner, theme, name, caption, toolTip, value, highestValue, topLeft, bottomRight, parent,
                        "attributeDescription", "savingThrowDisplay", 0.75f) {}
