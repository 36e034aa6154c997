#pragma once
// "Add Experience": the experience a character earned in play, with the class's prime-statistic
// bonus and three 10% role-playing bonuses (belief, instinct, opinion), added on "Add XP". It
// reports "closeWindow" after Add XP or Cancel; its close button reports "closeDialog", which
// its owner treats as Cancel.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "ui/game_ui_base_window.h"

class CharacterSheet;
class GameUIEditableTextLineBox;
class GameUIToggleButton;

class BRAVUIAddExperienceWindow : public GameUIBaseWindow {
public:
    enum Toggle : std::uint32_t { PrimaryStat, Belief, Instinct, Opinion, ToggleCount };
    static constexpr const char* longBaseText = "999999999";

    BRAVUIAddExperienceWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& title,
                              const float topLeft[2], const float bottomRight[2], std::uint32_t depth,
                              CharacterSheet* character);
    ~BRAVUIAddExperienceWindow() override;

    void update(float dt) override;

    // The final amount for a base text and the bonus fraction: "0" when the base is no count.
    static std::string finalText(const std::string& baseText, float bonus);
    // The experience of the class's top-level record, which Add XP never goes past; nothing when
    // the character's class has no such record.
    static std::optional<std::uint32_t> experienceCeiling(const CharacterSheet& character);
    // The character's experience after adding amount: never past 4294967295, nor past the
    // experience ceiling.
    static std::uint32_t addedExperience(const CharacterSheet& character, std::uint32_t amount);

    void onBaseBoxEvent(UIEvent::Data& event);
    void onToggle(UIEvent::Data& event);
    void onFinishButton(UIEvent::Data& event);
    void onCancelButton(UIEvent::Data& event);

    CharacterSheet* character;
    GameUIEditableTextLineBox* baseBox = nullptr;
    GameUIEditableTextLineBox* finalBox = nullptr;
    std::array<GameUIToggleButton*, ToggleCount> toggles{};
    GameUIPushButton* finishButton = nullptr;
    GameUIPushButton* cancelButton = nullptr;
    std::uint8_t finishPending = 0;
    std::uint8_t cancelPending = 0;
    std::uint8_t recomputePending = 0;
    std::uint8_t baseLostFocusPending = 0;
    std::array<std::uint8_t, ToggleCount> toggledPending{};

private:
    float bonus() const;
    void emitClose();
};
