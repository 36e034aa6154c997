#include "tracker/sheet/bravui_equipment_custom_name_window.h"

#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"

BRAVUIEquipmentCustomNameWindow::BRAVUIEquipmentCustomNameWindow(std::uint32_t tag, UIContext* owner,
                                                                 const Theme* theme, const float topLeft[2],
                                                                 const float bottomRight[2], const std::string& title,
                                                                 std::uint32_t depth)
    : GameUIBaseWindow(tag, owner, theme, "equipmentCustomNameWindow", title, topLeft, bottomRight, depth, nullptr,
                       true) {
    const float boxTopLeft[2] = {-0.8f, 0.2f}, boxBottomRight[2] = {0.8f, -0.2f};
    nameBox = new GameUIEditableTextLineBox(owner, theme, "domainDisplay", "", windowparts::mainFont(*this),
                                            "Enter a custom name for this item'", boxTopLeft, boxBottomRight, this,
                                            false);
    addChild(nameBox);
    nameBox->eventSignal.connect(this, &BRAVUIEquipmentCustomNameWindow::onNameEvent);
    // Typing starts at once, without a click into the box.
    nameBox->activationRequested = 1;

    doneButton = windowparts::addReportingButton(*this, "doneButton", "Done", "Finish editing this profciency's domain",
                                                 0.75f, -0.55f, 0.95f, -0.95f,
                                                 &BRAVUIEquipmentCustomNameWindow::onDoneButton);
    doneButton->disable();
    topDepth = getMaxChildDepth();
}

BRAVUIEquipmentCustomNameWindow::~BRAVUIEquipmentCustomNameWindow() {
    nameBox->eventSignal.disconnect(this);
    doneButton->clickSignal.disconnect(this);
}

void BRAVUIEquipmentCustomNameWindow::setCustomName(const std::string& text) {
    nameBox->setText(text);
    if (!text.empty()) doneButton->enable();
}

bool BRAVUIEquipmentCustomNameWindow::isDoneEvent(const UIEvent::Data& event) const {
    return event.source == doneButton;
}

void BRAVUIEquipmentCustomNameWindow::onNameEvent(UIEvent::Data&) { nameChanged = 1; }

void BRAVUIEquipmentCustomNameWindow::onDoneButton(UIEvent::Data& event) {
    if (event.type != UIEvent::Click) return;
    eventData.type = UIEvent::Click;
    eventData.name = nameBox->text;
    eventData.source = doneButton;
    windowSignal.emit(eventData);
}

void BRAVUIEquipmentCustomNameWindow::update(float dt) {
    if (nameChanged) {
        nameChanged = 0;
        if (!nameBox->text.empty()) doneButton->enable();
    }
    GameUIStandardElement::update(dt);
}
