#pragma once
// "Pack or unpack": puts one owned item into a container or carrier the character owns, or back
// into the character's hands (the top level). The places are a tree of container rows under the
// root row "Held, or upacked"; the item itself and everything inside it are never listed. "Pick"
// moves the item there, after the places already inside, and the window reports "closeWindow"
// a frame later, as it does after "Finish"; a move the inventory refuses leaves the window open
// and its message line says why. Packing the worn armour or held shield takes it off, since only
// a top-level item is saved as worn; taking it to the top level keeps it worn.
#include <cstdint>
#include <string>

#include "rules/character_equipment.h"
#include "ui/game_ui_base_window.h"

class BRAVUIContainerListItem;
class CharacterSheet;
class GameUILabel;
class GameUIStandardElementList;

class BRAVUIPackingWindow : public GameUIBaseWindow {
public:
    static constexpr const char* closeEvent = "closeWindow";
    static constexpr const char* rootText = "Held, or upacked";
    static constexpr const char* tooDeepMessage =
        "It would lie too many containers deep to be saved: pick a place nearer the top.";
    static constexpr const char* intoItselfMessage = "An item cannot be packed into itself.";
    static constexpr const char* goneMessage = "That is no longer in the inventory.";

    BRAVUIPackingWindow(std::uint32_t tag, UIContext* owner, const Theme* theme, const float topLeft[2],
                        const float bottomRight[2], const std::string& title, std::uint32_t depth,
                        BRAVCharacterEquipment* item, CharacterSheet* sheet);
    ~BRAVUIPackingWindow() override;

    void update(float dt) override;

    // The window's caption for item: "3 x Arrows" (with spaces round the x) above a quantity of 1.
    static std::string itemCaption(const BRAVCharacterEquipment& item);

    void onListEvent(UIEvent::Data& event);
    void onFinishButton(UIEvent::Data& event);

    GameUIPushButton* finishButton = nullptr;
    BRAVCharacterEquipment* item;
    CharacterSheet* sheet;
    std::uint8_t closeRequested = 0;
    GameUILabel* titleLabel = nullptr;
    // Says why the last pick was refused; empty otherwise.
    GameUILabel* messageLabel = nullptr;
    GameUIStandardElementList* list = nullptr;
    std::uint32_t rowIndex = 0;
    std::uint8_t pickRequested = 0;
    std::uint8_t expandRequested = 0;

private:
    // Inserts a row for each container or carrier of items other than the packed item (and, under
    // each one whose contents are shown, its own containers one level deeper) from index on.
    void fillRows(EquipmentList& items, std::int32_t& index, std::uint32_t depth);
    BRAVUIContainerListItem* rowAt(std::uint32_t index) const;
    void pick();
    void expandOrCollapse();
};
