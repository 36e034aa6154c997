#pragma once
// A scrolling list of rows shown as toggle buttons of one radio group, so one row is selected.
#include <cstdint>
#include <string>
#include <vector>

#include "app/sigslot.h"
#include "ui/game_ui_base_element.h"

class GameUIListItemInterface;
class GameUIScrollBar;
class GameUIToggleGroup;

class GameUIScrollableSelectableItemList : public GameUIBaseElement, public sigslot::has_slots<> {
public:
    GameUIScrollableSelectableItemList(std::uint32_t tag, UIContext* owner, const float topLeft[2],
                                       const float bottomRight[2], const Theme* theme, const std::string& name,
                                       GameUIBaseElement* parent, std::uint32_t unused);
    ~GameUIScrollableSelectableItemList() override;

    // Takes ownership; the owner lays the list out afterwards.
    void addRow(GameUIListItemInterface* row);
    void clearRows();
    // Queues the row at index for removal at the next update.
    void removeRow(std::uint32_t index);
    void layoutItems(std::int32_t first);

    bool onMouseButton(MouseEvent::Data& event) override;
    bool onMouseMove(MouseEvent::Data& event) override;
    bool onKey(KeyEvent::Data& event) override;
    void update(float dt) override;
    void onEnabled() override;
    void onDisabled() override;

    std::uint32_t tag;
    std::vector<GameUIListItemInterface*> rows;
    GameUIListItemInterface* selectedRow = nullptr;
    std::int32_t selectedIndex = -1;
    GameUIToggleGroup* group = nullptr;
    GameUIScrollBar* scrollBar = nullptr;
    // Signed, so stepping and scrolling below zero or past the end clamps instead of wrapping.
    std::int32_t firstVisible = 0;
    std::int32_t visibleRows = 0;
    std::uint8_t layoutDirty = 0;
    sigslot::signal1<UIEvent::Data&> eventSignal;
    UIEvent::Data eventData;
    float fontHeight = -1.0f;
    std::vector<std::uint32_t> removalQueue;
    std::uint32_t lastItemCount = 0;

private:
    float scrollBarWidth() const;
    std::int32_t lastFirstVisible() const;
    void onRowEvent(UIEvent::Data& event);
    void onScrollBar(UIEvent::Data& event);
};
