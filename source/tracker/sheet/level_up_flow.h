#pragma once
// The level-up sequence of the Core stats tab: the level is raised, then the change report, the
// general and class proficiency pickers and the arcane spell picker follow one another, each
// picker only when the character has slots of its kind left. Slots only set pending flags; the
// tab steps the sequence once per frame and rebuilds itself when it reports the end. Only a
// window's "nextStep" advances; its close button does not.
#include <cstdint>

#include "app/sigslot.h"
#include "ui/ui_event.h"

class BRAVUIArcaneSpellPicker;
class BRAVUILevelUpChangeReportWindow;
class BRAVUIPickProficiencies;
class CharacterSheet;
class Theme;
struct RulesCatalogues;
struct UIContext;

class LevelUpFlow : public sigslot::has_slots<> {
public:
    LevelUpFlow(std::uint32_t tag, UIContext* owner, const Theme* theme, const RulesCatalogues* catalogues,
                CharacterSheet* character);
    // Removes the windows still open: they point at the character.
    ~LevelUpFlow() override;
    LevelUpFlow(const LevelUpFlow&) = delete;
    LevelUpFlow& operator=(const LevelUpFlow&) = delete;

    // One frame of the sequence; windows it opens go at depth. True on the frame the sequence
    // ends, when the tab rebuilds itself.
    bool update(std::uint32_t depth);
    // A window of the sequence is open; a Level Up click is then ignored.
    bool inProgress() const;
    // A click of the tab's Level Up button, acted on at the next update.
    void pressLevelUp() { levelUpClicked = 1; }

    void onReportEvent(UIEvent::Data& event);
    void onGeneralPickerEvent(UIEvent::Data& event);
    void onClassPickerEvent(UIEvent::Data& event);
    void onSpellPickerEvent(UIEvent::Data& event);

    std::uint32_t tag;
    UIContext* owner;
    const Theme* theme;
    const RulesCatalogues* catalogues;
    CharacterSheet* character;

    // Set by the tab for a click of its Level Up button.
    std::uint8_t levelUpClicked = 0;
    std::uint8_t reportClosed = 0;
    std::uint8_t generalPickerClosed = 0;
    std::uint8_t classPickerClosed = 0;
    std::uint8_t spellPickerClosed = 0;

    BRAVUILevelUpChangeReportWindow* reportWindow = nullptr;
    BRAVUIPickProficiencies* generalPicker = nullptr;
    BRAVUIPickProficiencies* classPicker = nullptr;
    BRAVUIArcaneSpellPicker* spellPicker = nullptr;

private:
    // Takes a window of the sequence off screen and forgets it.
    template <class Window>
    void close(Window*& window);
};
