#pragma once
// The vertical list of rows: lays out the rows that fit from the first visible one, scrolls by
// its scroll bar and the Up and Down keys, keeps one row selected, can keep the rows sorted, and
// re-emits row events under its own name; every change takes effect at the next update.
#include <cstdint>
#include <string>
#include <vector>

#include "app/sigslot.h"
#include "render/render_interface.h"
#include "ui/game_ui_standard_element.h"

class GameUIBaseListItem;
class GameUIScrollBar;

class GameUIStandardElementList : public GameUIStandardElement, public sigslot::has_slots<> {
public:
    static constexpr std::uint32_t upScanCode = 200;
    static constexpr std::uint32_t downScanCode = 208;

    GameUIStandardElementList(std::uint32_t tag, UIContext* owner, const float topLeft[2], const float bottomRight[2],
                              const Theme* theme, const std::string& name, const std::string& toolTip,
                              GameUIBaseElement* parent, bool sorted, const std::string& unused);
    ~GameUIStandardElementList() override;

    // The list owns the rows it is given.
    void addItem(GameUIBaseListItem* item);
    void insertItem(GameUIBaseListItem* item, std::int32_t index);
    // Queued until the next update; indexes out of range are skipped.
    void removeItem(std::int32_t index);
    void removeItems(std::int32_t first, std::int32_t last);
    void clearItems();
    void layoutItems(std::int32_t first);
    void sortItems();
    void scrollTo(std::int32_t index);
    void selectItem(std::int32_t index);

    bool onKey(KeyEvent::Data& event) override;
    void update(float dt) override;

    std::int32_t itemCount() const { return static_cast<std::int32_t>(items.size()); }
    // The largest first visible row that still fills the page.
    std::int32_t maxFirstVisible() const;

    std::vector<GameUIBaseListItem*> items;
    GameUIBaseListItem* selectedItem = nullptr;
    std::int32_t selectedIndex = -1;
    std::int32_t requestedIndex = -1;
    RenderInterface::UIObject* backgroundObject = nullptr;
    GameUIScrollBar* scrollBar = nullptr;
    float scrollBarWidth = 0.0f;
    std::int32_t firstVisible = 0;
    std::int32_t visibleRows = 0;
    std::uint8_t layoutDirty = 0;
    sigslot::signal1<UIEvent::Data&> eventSignal;
    UIEvent::Data eventData;
    float fontHeight = -1.0f;
    std::vector<GameUIBaseListItem*> removalQueue;
    std::int32_t lastItemCount = 0;
    std::uint8_t sorted;
    std::uint8_t sortRequested = 0;
    std::uint8_t emitPending = 0;

private:
    void onItemEvent(UIEvent::Data& event);
    void onScrollBarEvent(UIEvent::Data& event);
    void processRemovals();
    void changeSelection();
    void requestWithEvent(GameUIBaseListItem* item);
    void renumberFrom(std::size_t first);
    void lookUpFontHeight();
    void rangeScrollBar(std::int32_t count, std::int32_t first);
};
