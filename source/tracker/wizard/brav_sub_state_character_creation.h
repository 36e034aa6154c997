#pragma once
// The character-creation wizard: one step window at a time over the main menu's window manager
// (attributes, class and template, the proficiency lists and arcane spells that apply, then the
// biography), each writing straight into the new character. Driven once a frame by its owner
// through goToStep; reports "finishedCharacter" once the biography is done. No way back, no cancel.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "ui/ui_event.h"

class BRAVUIArcaneSpellPicker;
class BRAVUICreateAttributes;
class BRAVUICreateBioInformation;
class BRAVUIPickNewCharacterClass;
class BRAVUIPickProficiencies;
class CharacterSheet;
class GameUIBaseWindow;
class Theme;
class WindowManager;
struct RulesCatalogues;
struct UIContext;

class BRAVSubStateCharacterCreation : public sigslot::has_slots<> {
public:
    static constexpr const char* themeName = "default_theme";
    static constexpr const char* finishedEvent = "finishedCharacter";

    // Opens step 1 at once.
    BRAVSubStateCharacterCreation(std::uint32_t tag, UIContext* owner, WindowManager* windowManager,
                                  RulesCatalogues* catalogues, CharacterSheet* character);
    ~BRAVSubStateCharacterCreation() override;
    BRAVSubStateCharacterCreation(const BRAVSubStateCharacterCreation&) = delete;
    BRAVSubStateCharacterCreation& operator=(const BRAVSubStateCharacterCreation&) = delete;

    // Once a frame: closes the step that reported and opens the next one, in the same frame.
    void goToStep();

    // Each reacts only to an event named exactly "nextStep".
    void onAttributesEvent(UIEvent::Data& event);
    void onClassEvent(UIEvent::Data& event);
    void onProficiencyEvent(UIEvent::Data& event);
    void onBioEvent(UIEvent::Data& event);
    void onSpellsEvent(UIEvent::Data& event);

    sigslot::signal1<UIEvent::Data&> signal;
    UIEvent::Data eventData;
    std::uint32_t tag;
    UIContext* owner;
    WindowManager* windowManager;
    RulesCatalogues* catalogues;
    CharacterSheet* character;
    std::uint32_t stepNumber = 1;
    std::uint8_t attributesDonePending = 0;
    std::uint8_t openClassStepPending = 0;
    std::uint8_t classDonePending = 0;
    std::uint8_t finishedPending = 0;
    BRAVUICreateAttributes* attributesWindow = nullptr;
    BRAVUIPickNewCharacterClass* classWindow = nullptr;
    BRAVUIPickProficiencies* proficiencyWindow = nullptr;
    std::uint8_t proficiencyStepPending = 0;
    BRAVUICreateBioInformation* bioWindow = nullptr;
    std::uint8_t openBioStepPending = 0;
    std::uint8_t bioDonePending = 0;
    std::uint8_t openSpellStepPending = 0;
    std::uint8_t spellsDonePending = 0;
    BRAVUIArcaneSpellPicker* spellWindow = nullptr;
    // Each list is offered once: a picker may finish with picks it could not spend (its list had
    // nothing left to take), and offering that list again would never end.
    std::uint8_t classListOffered = 0;
    std::uint8_t generalListOffered = 0;

private:
    const Theme* theme() const;
    // "Step N" + caption.
    std::string stepTitle(const char* caption) const;
    // One above every window shown, at most the deepest layer.
    std::uint32_t depthAboveWindows() const;
    void openProficiencyStep(const std::string& listId, std::int32_t picks, const char* caption);
    void openWindow(GameUIBaseWindow* window, void (BRAVSubStateCharacterCreation::*slot)(UIEvent::Data&));
    template <class W>
    void closeWindow(W*& window);
    void routeAfterProficiencies();
};
