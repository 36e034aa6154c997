#include "tracker/sheet/bravui_add_experience_window.h"

#include <algorithm>
#include <limits>

#include "rules/character_class.h"
#include "rules/character_sheet.h"
#include "tracker/numeric_text.h"
#include "tracker/typed_count.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_toggle_button.h"

namespace {

constexpr float rolePlayingBonus = 0.1f;

struct Row {
    const char* labelId;
    const char* labelText;
    const char* controlId;
    const char* toolTip;
    float top;
    float bottom;
};

// Base XP, the four toggles, Final XP.
const Row rows[] = {
    {"baseXPLabel", "Base XP: ", "baseExperienceAmountBox",
     "The basic amount of experience earned by this character. Usually from killing monsters and selling looted "
     "treasure. Click in the box to edit.",
     0.9f, 0.7f},
    {"primaryStatToggleLabel", "Primary Stat: ", "primaryStatToggle",
     "Toggle to receive any primary statistic bonuses on the basic amount of XP.", 0.65f, 0.45f},
    {"beliefToggleLabel", "Belief: ", "beliefToggle",
     "Toggle to receive a 10% roleplaying experience bonus from your character's belief.", 0.4f, 0.2f},
    {"instinctToggleLabel", "Instinct: ", "instinctToggle",
     "Toggle to receive a 10% roleplaying experience bonus from your character's instinct.", 0.15f, -0.05f},
    {"opinionToggleLabel", "Opinion: ", "opinionBonusToggle",
     "Toggle to receive a 10% roleplaying experience bonus from your character's opinion.", -0.1f, -0.3f},
    {"finalXPLabel", "Final XP: ", "m_finalExperienceAmountBox",
     "The final amount of experience to be earned after applying all bonuses. ", -0.4f, -0.6f},
};

constexpr float labelLeft = -0.95f, labelRight = -0.5f;
constexpr float toggleLeft = -0.5f, toggleRight = -0.4f;
constexpr float boxLeft = -0.5f, boxRight = 0.2f;

} // namespace

BRAVUIAddExperienceWindow::BRAVUIAddExperienceWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                     const std::string& title, const float topLeft[2],
                                                     const float bottomRight[2], std::uint32_t depth,
                                                     CharacterSheet* character)
    : GameUIBaseWindow(tag, owner, theme, "addExperienceWindow", title, topLeft, bottomRight, depth, nullptr, true),
      character(character) {
    const std::string font = windowparts::mainFont(*this);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        const float labelTopLeft[2] = {labelLeft, row.top}, labelBottomRight[2] = {labelRight, row.bottom};
        addChild(new GameUILabel(owner, theme, row.labelId, row.labelText, row.toolTip, labelTopLeft, labelBottomRight,
                                 this, labelflag::notRightAligned, labelflag::notCentred, labelflag::vertCentred));
        const bool isBox = i == 0 || i + 1 == std::size(rows);
        if (isBox) {
            const float boxTopLeft[2] = {boxLeft, row.top}, boxBottomRight[2] = {boxRight, row.bottom};
            auto* box = new GameUIEditableTextLineBox(owner, theme, row.controlId, "0", font, row.toolTip, boxTopLeft,
                                                      boxBottomRight, this, true);
            addChild(box);
            if (i == 0) {
                baseBox = box;
                baseBox->eventSignal.connect(this, &BRAVUIAddExperienceWindow::onBaseBoxEvent);
            } else {
                // The result of the sum, never typed: Add XP reads it as it was computed.
                finalBox = box;
                finalBox->editable = 0;
            }
            continue;
        }
        const float toggleTopLeft[2] = {toggleLeft, row.top}, toggleBottomRight[2] = {toggleRight, row.bottom};
        auto* toggle =
            new GameUIToggleButton(tag, owner, theme, row.controlId, "", row.toolTip, toggleTopLeft, toggleBottomRight,
                                   this, toggleflag::startInactive, toggleflag::pressAgainTurnsOff,
                                   toggleflag::outlined, toggleflag::centred, toggleflag::noHoverWhenActive);
        toggle->toggleSignal.connect(this, &BRAVUIAddExperienceWindow::onToggle);
        addChild(toggle);
        toggles[i - 1] = toggle;
    }
    finishButton = windowparts::addReportingButton(
        *this, "finishButton", "Add XP", "Add the final calculated experienced amount to the characters total.", 0.65f,
        -0.75f, 0.95f, -0.95f, &BRAVUIAddExperienceWindow::onFinishButton);
    cancelButton = windowparts::addReportingButton(*this, "cancelButton", "Cancel",
                                                   "Cancel adding XP and return to character sheet.", -0.95f, -0.75f,
                                                   -0.65f, -0.95f, &BRAVUIAddExperienceWindow::onCancelButton);
    topDepth = getMaxChildDepth();
}

BRAVUIAddExperienceWindow::~BRAVUIAddExperienceWindow() {
    baseBox->eventSignal.disconnect(this);
    for (GameUIToggleButton* toggle : toggles) toggle->toggleSignal.disconnect(this);
    finishButton->clickSignal.disconnect(this);
    cancelButton->clickSignal.disconnect(this);
}

void BRAVUIAddExperienceWindow::onBaseBoxEvent(UIEvent::Data& event) {
    if (event.name == "lostEditFocus") {
        baseLostFocusPending = 1;
    } else if (event.name == "keyPressed" || event.name == "keyHeld") {
        recomputePending = 1;
    }
}

void BRAVUIAddExperienceWindow::onToggle(UIEvent::Data& event) {
    for (std::size_t i = 0; i < toggles.size(); ++i) {
        if (event.source == toggles[i]) toggledPending[i] = 1;
    }
    recomputePending = 1;
}

void BRAVUIAddExperienceWindow::onFinishButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) finishPending = 1;
}

void BRAVUIAddExperienceWindow::onCancelButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) cancelPending = 1;
}

float BRAVUIAddExperienceWindow::bonus() const {
    float total = 0.0f;
    if (toggles[PrimaryStat]->active && character) total += character->getPrimeRequisiteXPBonus();
    for (Toggle toggle : {Belief, Instinct, Opinion}) {
        if (toggles[toggle]->active) total += rolePlayingBonus;
    }
    return total;
}

std::string BRAVUIAddExperienceWindow::finalText(const std::string& baseText, float bonus) {
    const std::optional<std::uint32_t> base = typedcount::parse(baseText);
    if (!base) return "0";
    // The bonus share is taken in single precision and truncated, as the rules table does.
    const auto extra = static_cast<std::uint64_t>(static_cast<float>(*base) * bonus);
    return std::to_string(std::uint64_t{*base} + extra);
}

std::optional<std::uint32_t> BRAVUIAddExperienceWindow::experienceCeiling(const CharacterSheet& character) {
    const CharacterClass* characterClass = character.characterClass;
    if (!characterClass || characterClass->maxLevel <= 0) return std::nullopt;
    const CharacterClassLevel* top = characterClass->getLevel(static_cast<std::uint32_t>(characterClass->maxLevel));
    if (!top) return std::nullopt;
    return static_cast<std::uint32_t>(std::max(top->experience, 0));
}

std::uint32_t BRAVUIAddExperienceWindow::addedExperience(const CharacterSheet& character, std::uint32_t amount) {
    const std::uint64_t sum = std::uint64_t{character.experience} + amount;
    const std::uint32_t ceiling = experienceCeiling(character).value_or(std::numeric_limits<std::uint32_t>::max());
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(sum, ceiling));
}

void BRAVUIAddExperienceWindow::emitClose() {
    reportEvent("closeWindow");
}

void BRAVUIAddExperienceWindow::update(float dt) {
    for (std::size_t i = 0; i < toggles.size(); ++i) {
        if (!toggledPending[i]) continue;
        toggledPending[i] = 0;
        toggles[i]->setCaption(toggles[i]->active ? "X" : "");
    }
    if (baseLostFocusPending) {
        baseLostFocusPending = 0;
        if (baseBox->text.size() > typedcount::maxDigits) baseBox->setText(longBaseText);
        const std::optional<std::uint32_t> base = typedcount::parse(baseBox->text);
        if (!base || *base == 0) baseBox->setText("0");
    }
    if (recomputePending) {
        recomputePending = 0;
        if (baseBox->text.size() > typedcount::maxDigits) baseBox->setText(longBaseText);
        finalBox->setText(finalText(baseBox->text, bonus()));
    }
    if (finishPending) {
        finishPending = 0;
        if (character) {
            // The final box only ever holds a computed sum, at most 1399999999.
            const std::uint32_t amount =
                numerictext::readNumber(finalBox->text, std::numeric_limits<std::uint32_t>::max());
            character->setExperience(addedExperience(*character, amount));
        }
        emitClose();
    }
    if (cancelPending) {
        cancelPending = 0;
        emitClose();
    }
    GameUIStandardElement::update(dt);
}
