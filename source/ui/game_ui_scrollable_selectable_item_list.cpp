#include "ui/game_ui_scrollable_selectable_item_list.h"

#include <algorithm>

#include "render/render_interface.h"
#include "ui/game_ui_list_item_interface.h"
#include "ui/game_ui_scroll_bar.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"

namespace {
constexpr float scrollBarPixels = 16.0f;
constexpr std::uint8_t keyUp = 200;
constexpr std::uint8_t keyDown = 208;
} // namespace

GameUIScrollableSelectableItemList::GameUIScrollableSelectableItemList(std::uint32_t tag, UIContext* owner,
                                                                       const float topLeft[2],
                                                                       const float bottomRight[2], const Theme* theme,
                                                                       const std::string& name,
                                                                       GameUIBaseElement* parent, std::uint32_t)
    : GameUIBaseElement(owner, topLeft, bottomRight, theme, name, parent), tag(tag) {
    depth = childDepth(parent);
    if (RenderInterface* ri = renderInterface()) fontHeight = ri->registeredLineHeight(ri->mainFontName());
    const float w = scrollBarWidth();
    const float tl[2] = {-1.0f, 1.0f}, br[2] = {1.0f - w, -1.0f};
    group = new GameUIToggleGroup(true, tag, owner, theme, "optionsToggleGroup", "", tl, br, this);
    layoutItems(0);
}

GameUIScrollableSelectableItemList::~GameUIScrollableSelectableItemList() {
    clearRows();
    delete scrollBar;
    delete group;
}

float GameUIScrollableSelectableItemList::scrollBarWidth() const {
    const float halfWidth = (absBottomRight[0] - absTopLeft[0]) * 0.5f;
    return halfWidth > 0.0f ? (2.0f / screenWidth()) * scrollBarPixels / halfWidth : 0.0f;
}

std::int32_t GameUIScrollableSelectableItemList::lastFirstVisible() const {
    return std::max(static_cast<std::int32_t>(rows.size()) - visibleRows, 0);
}

void GameUIScrollableSelectableItemList::addRow(GameUIListItemInterface* row) {
    row->setIndex(static_cast<std::uint32_t>(rows.size()));
    row->eventSignal.connect(this, &GameUIScrollableSelectableItemList::onRowEvent);
    rows.push_back(row);
}

void GameUIScrollableSelectableItemList::clearRows() {
    for (GameUIListItemInterface* row : rows) {
        row->destroyListElement();
        delete row;
    }
    rows.clear();
    selectedRow = nullptr;
    removalQueue.clear();
}

void GameUIScrollableSelectableItemList::removeRow(std::uint32_t index) { removalQueue.push_back(index); }

void GameUIScrollableSelectableItemList::layoutItems(std::int32_t first) {
    for (GameUIListItemInterface* row : rows) row->destroyListElement();
    std::vector<GameUIToggleButton*> buttons;
    buttons.swap(group->buttons);
    for (GameUIToggleButton* button : buttons) delete button;
    group->selected = nullptr;
    group->selectedIndex = 0;

    const std::int32_t count = static_cast<std::int32_t>(rows.size());
    const bool countChanged = static_cast<std::uint32_t>(count) != lastItemCount;
    lastItemCount = static_cast<std::uint32_t>(count);
    const float height = (absTopLeft[1] - absBottomRight[1]) * 0.5f;
    const float rowHeight = (height > 0.0f ? fontHeight / height : 0.0f) + 0.02f;
    visibleRows = rowHeight > 0.0f ? static_cast<std::int32_t>(1.9f / rowHeight) : 0;
    first = std::clamp(first, 0, lastFirstVisible());
    firstVisible = first;

    const std::uint32_t visible = static_cast<std::uint32_t>(std::max(visibleRows, 0));
    const std::uint32_t shown = static_cast<std::uint32_t>(std::clamp(count - firstVisible, 0, visibleRows));
    if (!scrollBar) {
        const float w = scrollBarWidth();
        const float tl[2] = {1.0f - w, 1.0f}, br[2] = {1.0f, -1.0f};
        scrollBar = new GameUIScrollBar(tag, owner, theme, "listItemScrollBar", "", static_cast<std::uint32_t>(count),
                                        static_cast<std::uint32_t>(firstVisible), visible, "", tl, br, this);
        scrollBar->eventSignal.connect(this, &GameUIScrollableSelectableItemList::onScrollBar);
    } else if (countChanged) {
        scrollBar->setRange(0, static_cast<std::uint32_t>(count), static_cast<std::uint32_t>(firstVisible), shown,
                            visible - shown, visible);
    }

    const std::int32_t end = std::min(first + visibleRows, count);
    std::int32_t n = 0;
    for (std::int32_t i = first; i < end; ++i) {
        const float bottom = 0.95f - static_cast<float>(n + 1) * rowHeight;
        if (bottom > -0.95f) {
            rows[static_cast<std::size_t>(i)]->createListElement(0.95f - static_cast<float>(n) * rowHeight, bottom,
                                                                 selectedIndex == first + n, group);
        }
        ++n;
    }
    if (disabled && !scrollBar->disabled) scrollBar->disable();
}

void GameUIScrollableSelectableItemList::onRowEvent(UIEvent::Data& event) {
    selectedIndex = static_cast<std::int32_t>(event.value);
    selectedRow = nullptr;
    if (event.value < rows.size()) selectedRow = rows[event.value];
    eventData.type = event.type;
    eventData.name = event.name;
    eventData.source = event.source;
    eventData.parentName = name;
    eventData.value = event.value;
    eventSignal.emit(eventData);
}

void GameUIScrollableSelectableItemList::onScrollBar(UIEvent::Data& event) {
    if (!scrollBar || event.source != scrollBar) return;
    const std::int32_t next = std::max(static_cast<std::int32_t>(scrollBar->position), 0);
    if (next != firstVisible) {
        firstVisible = next;
        layoutDirty = 1;
    }
}

void GameUIScrollableSelectableItemList::update(float dt) {
    if (!removalQueue.empty()) {
        std::vector<std::uint32_t> queue;
        queue.swap(removalQueue);
        std::sort(queue.rbegin(), queue.rend());
        queue.erase(std::unique(queue.begin(), queue.end()), queue.end());
        for (std::uint32_t index : queue) {
            if (index >= rows.size()) continue;
            GameUIListItemInterface* row = rows[index];
            if (row == selectedRow) {
                selectedRow = nullptr;
                selectedIndex = -1;
            } else if (selectedIndex > static_cast<std::int32_t>(index)) {
                --selectedIndex;
            }
            row->destroyListElement();
            delete row;
            rows.erase(rows.begin() + index);
        }
        for (std::uint32_t i = 0; i < rows.size(); ++i) rows[i]->setIndex(i);
        layoutDirty = 1;
    }
    if (scrollBar) scrollBar->update(dt);
    if (layoutDirty) {
        layoutDirty = 0;
        layoutItems(firstVisible);
    }
}

bool GameUIScrollableSelectableItemList::onKey(KeyEvent::Data& event) {
    if (event.action != KeyEvent::Pressed) return false;
    if (event.scanCode == keyUp) {
        if (firstVisible - 1 < 0) firstVisible = 0;
        else {
            --firstVisible;
            layoutDirty = 1;
        }
        return true;
    }
    if (event.scanCode == keyDown) {
        if (firstVisible + 1 > lastFirstVisible()) firstVisible = lastFirstVisible();
        else {
            ++firstVisible;
            layoutDirty = 1;
        }
        return true;
    }
    return false;
}

bool GameUIScrollableSelectableItemList::onMouseButton(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    bool handled = false;
    if (group->containsPoint(event.x, event.y)) handled = group->onMouseButton(event) || handled;
    if (scrollBar && scrollBar->containsPoint(event.x, event.y)) handled = scrollBar->onMouseButton(event) || handled;
    return handled;
}

bool GameUIScrollableSelectableItemList::onMouseMove(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    bool handled = false;
    if (group->containsPoint(event.x, event.y)) handled = group->onMouseMove(event) || handled;
    if (scrollBar && scrollBar->containsPoint(event.x, event.y)) handled = scrollBar->onMouseMove(event) || handled;
    return handled;
}

void GameUIScrollableSelectableItemList::onEnabled() {
    group->disabled = 0;
    group->onEnabled();
    if (scrollBar) {
        scrollBar->disabled = 0;
        scrollBar->onEnabled();
    }
}

void GameUIScrollableSelectableItemList::onDisabled() {
    group->disable();
    if (scrollBar) scrollBar->disable();
}
