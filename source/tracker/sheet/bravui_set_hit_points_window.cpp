#include "tracker/sheet/bravui_set_hit_points_window.h"

#include <charconv>

#include "rules/character_sheet.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"

BRAVUISetHitPointsWindow::BRAVUISetHitPointsWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                   const std::string& title, const float topLeft[2],
                                                   const float bottomRight[2], std::uint32_t depth,
                                                   CharacterSheet* character)
    : GameUIBaseWindow(tag, owner, theme, "setHitPointsWindow", title, topLeft, bottomRight, depth, nullptr, true),
      character(character) {
    const float entryTopLeft[2] = {-0.8f, 0.55f}, entryBottomRight[2] = {0.8f, 0.05f};
    entryBox = new GameUIEditableTextLineBox(owner, theme, "currentHPEdit",
                                             character ? std::to_string(character->currentHitPoints) : "0",
                                             windowparts::mainFont(*this), "Set the current amount of hit points",
                                             entryTopLeft, entryBottomRight, this, true);
    entryBox->eventSignal.connect(this, &BRAVUISetHitPointsWindow::onEntryEvent);
    addChild(entryBox);
    doneButton = windowparts::addReportingButton(*this, "doneButton", "Done", "Finish setting current hit points", -0.4f,
                                                 -0.3f, 0.4f, -0.8f, &BRAVUISetHitPointsWindow::onDoneButton);
    topDepth = getMaxChildDepth();
}

BRAVUISetHitPointsWindow::~BRAVUISetHitPointsWindow() {
    entryBox->eventSignal.disconnect(this);
    doneButton->clickSignal.disconnect(this);
}

std::optional<std::int32_t> BRAVUISetHitPointsWindow::parseHitPoints(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    // from_chars takes a minus but not a plus.
    if (*first == '+') ++first;
    if (first == last || (*first != '-' && (*first < '0' || *first > '9'))) return std::nullopt;
    if (*first == '-' && first != text.data()) return std::nullopt;
    std::int32_t value = 0;
    const std::from_chars_result result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
    return value;
}

void BRAVUISetHitPointsWindow::onEntryEvent(UIEvent::Data& event) {
    if (event.name == "lostEditFocus") lostFocusPending = 1;
}

void BRAVUISetHitPointsWindow::onDoneButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) donePending = 1;
}

std::int32_t BRAVUISetHitPointsWindow::validateEntry() {
    const std::int32_t maximum = character ? character->maximumHitPoints : 0;
    const std::optional<std::int32_t> value = parseHitPoints(entryBox->text);
    if (value && *value <= maximum) return *value;
    entryBox->setText(std::to_string(maximum));
    return maximum;
}

void BRAVUISetHitPointsWindow::update(float dt) {
    if (lostFocusPending) {
        lostFocusPending = 0;
        validateEntry();
    }
    if (donePending) {
        donePending = 0;
        // Done may come before the box has lost the focus: it checks the text the same way.
        const std::int32_t value = validateEntry();
        if (character) character->setCurrentHitPoints(value);
        reportEvent("closeWindow");
    }
    GameUIStandardElement::update(dt);
}
