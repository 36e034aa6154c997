#include "ui/game_ui_standard_element_list.h"

#include <algorithm>

#include "ui/game_ui_base_list_item.h"
#include "ui/game_ui_scroll_bar.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"

GameUIStandardElementList::GameUIStandardElementList(std::uint32_t tag, UIContext* owner, const float topLeft[2],
                                                     const float bottomRight[2], const Theme* theme,
                                                     const std::string& name, const std::string& toolTip,
                                                     GameUIBaseElement* parent, bool sorted, const std::string&)
    : GameUIStandardElement(tag, owner, topLeft, bottomRight, theme, name, toolTip, parent),
      sorted(sorted ? 1 : 0) {
    const float halfWidth = (absBottomRight[0] - absTopLeft[0]) * 0.5f;
    scrollBarWidth = halfWidth != 0.0f ? pixelWidth() * 16.0f / halfWidth : 0.0f;
    lookUpFontHeight();
    depth = childDepth(parent);
    backgroundObject = uiobject::create(renderInterface(), "ui_simple_rectangle", depth);
    float backTL[2] = {-1.0f, 1.0f}, backBR[2] = {1.0f - scrollBarWidth, -1.0f};
    // The background spans the list's own space, so convert through the list, not its parent.
    const auto toScreen = [this](float point[2]) {
        point[0] = absTopLeft[0] + (point[0] + 1.0f) * 0.5f * (absBottomRight[0] - absTopLeft[0]);
        point[1] = absBottomRight[1] + (point[1] + 1.0f) * 0.5f * (absTopLeft[1] - absBottomRight[1]);
    };
    toScreen(backTL);
    toScreen(backBR);
    uiobject::setCorners<SimpleRectangleParameters>(backgroundObject, backTL, backBR);
    if (theme) uiobject::setColour(backgroundObject, SimpleRectangleParameters::colour, (*theme)[Theme::WidgetNormal]);
    layoutItems(firstVisible);
}

GameUIStandardElementList::~GameUIStandardElementList() {
    // The rows go first, each leaving the list's slots as it goes, while its memory is at hand;
    // the list's own slots would otherwise walk every row once more before they are deleted.
    items.clear();
    removalQueue.clear();
    deleteChildren();
    uiobject::destroy(renderInterface(), backgroundObject);
    eventSignal.disconnect_all();
}

void GameUIStandardElementList::lookUpFontHeight() {
    const RenderInterface* ri = renderInterface();
    fontHeight = ri ? ri->registeredLineHeight(ri->mainFontName()) : -1.0f;
}

std::int32_t GameUIStandardElementList::maxFirstVisible() const {
    return std::max(itemCount() - visibleRows, 0);
}

void GameUIStandardElementList::addItem(GameUIBaseListItem* item) {
    // Rows are placed in the list's space, whatever parent they were built with.
    if (item->parent != this) item->setParent(this);
    item->index = static_cast<std::uint32_t>(items.size());
    item->eventSignal.connect(this, &GameUIStandardElementList::onItemEvent);
    items.push_back(item);
    addChild(item);
    if (sorted) sortItems();
    layoutDirty = 1;
}

void GameUIStandardElementList::insertItem(GameUIBaseListItem* item, std::int32_t index) {
    if (sorted) {
        addItem(item);
        return;
    }
    if (index >= 0 && index <= itemCount()) {
        if (item->parent != this) item->setParent(this);
        item->index = static_cast<std::uint32_t>(index);
        item->eventSignal.connect(this, &GameUIStandardElementList::onItemEvent);
        items.insert(items.begin() + index, item);
        addChild(item);
        const std::int32_t before = selectedItem ? static_cast<std::int32_t>(selectedItem->index) : -1;
        renumberFrom(static_cast<std::size_t>(index));
        if (selectedItem && static_cast<std::int32_t>(selectedItem->index) != before) requestWithEvent(selectedItem);
    } else {
        // A place past the end would leave the row unowned: it goes nowhere and is freed.
        delete item;
    }
    layoutDirty = 1;
}

void GameUIStandardElementList::renumberFrom(std::size_t first) {
    for (std::size_t i = first; i < items.size(); ++i) items[i]->index = static_cast<std::uint32_t>(i);
}

void GameUIStandardElementList::removeItem(std::int32_t index) { removeItems(index, index); }

void GameUIStandardElementList::removeItems(std::int32_t first, std::int32_t last) {
    for (std::int32_t i = std::max(first, 0); i <= last && i < itemCount(); ++i) {
        if (std::find(removalQueue.begin(), removalQueue.end(), items[i]) == removalQueue.end()) {
            removalQueue.push_back(items[i]);
        }
    }
}

void GameUIStandardElementList::clearItems() {
    items.clear();
    removalQueue.clear();
    deleteChildren();
    selectedItem = nullptr;
    scrollBar = nullptr;
    firstVisible = 0;
}

void GameUIStandardElementList::rangeScrollBar(std::int32_t count, std::int32_t first) {
    const std::int32_t shown = std::max(std::min(count - first, visibleRows), 0);
    scrollBar->setRange(static_cast<std::uint32_t>(count), static_cast<std::uint32_t>(count),
                        static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(shown),
                        static_cast<std::uint32_t>(visibleRows - shown), static_cast<std::uint32_t>(visibleRows));
}

void GameUIStandardElementList::layoutItems(std::int32_t first) {
    for (GameUIBaseListItem* item : items) item->removeFromList();
    depth = childDepth(parent);
    const std::int32_t count = itemCount();
    const bool countChanged = count != lastItemCount;
    lastItemCount = count;

    float margin = (localBottomRight[0] - localTopLeft[0]) * 0.5f * 0.05f;
    if (parent) margin = parent->toAbsoluteWidth(margin);
    const float halfHeight = (absTopLeft[1] - absBottomRight[1]) * 0.5f;
    margin = halfHeight != 0.0f ? margin * (screenWidth() / screenHeight()) / halfHeight : 0.0f;
    // The atlas that registers line heights may be built after the list: look again until it is.
    if (fontHeight <= 0.0f) lookUpFontHeight();
    visibleRows = 0;
    float rowHeight = 0.0f;
    if (fontHeight > 0.0f && halfHeight > 0.0f) {
        rowHeight = fontHeight / halfHeight + 0.02f;
        visibleRows = std::max(static_cast<std::int32_t>((2.0f - 2.0f * margin) / rowHeight), 0);
    }
    // Removals and short lists can leave the first row past the last page.
    firstVisible = std::clamp(first, 0, maxFirstVisible());
    first = firstVisible;

    if (!scrollBar) {
        const float barTL[2] = {1.0f - scrollBarWidth, 1.0f}, barBR[2] = {1.0f, -1.0f};
        scrollBar = new GameUIScrollBar(tag, owner, theme, "listItemScrollBar", "", static_cast<std::uint32_t>(count),
                                        static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(visibleRows),
                                        "", barTL, barBR, this);
        scrollBar->eventSignal.connect(this, &GameUIStandardElementList::onScrollBarEvent);
        addChild(scrollBar);
        if (first != 0) rangeScrollBar(count, first);
    } else if (countChanged || static_cast<std::int32_t>(scrollBar->position) != first) {
        rangeScrollBar(count, first);
    }

    const std::int32_t end = std::min(firstVisible + visibleRows, count);
    for (std::int32_t i = firstVisible, n = 0; i < end; ++i, ++n) {
        const float top = (1.0f - margin) - static_cast<float>(n) * rowHeight;
        const float bottom = (1.0f - margin) - static_cast<float>(n + 1) * rowHeight;
        if (bottom <= -0.95f) continue;
        const bool selected = selectedIndex == i;
        items[i]->placeInList(-0.95f, 0.95f - scrollBarWidth, top, bottom, selected);
        if (selected) selectedItem = items[i];
    }
    if (disabled && !scrollBar->disabled) scrollBar->disable();
    topDepth = std::max(depth, getMaxChildDepth());
}

void GameUIStandardElementList::onItemEvent(UIEvent::Data& event) {
    requestedIndex = static_cast<std::int32_t>(event.value);
    eventData = event;
    eventData.parentName = name;
    emitPending = 1;
}

void GameUIStandardElementList::requestWithEvent(GameUIBaseListItem* item) {
    UIEvent::Data event;
    event.type = UIEvent::Click;
    event.name = item->name;
    event.parentName = name;
    event.source = item;
    event.value = item->index;
    onItemEvent(event);
}

void GameUIStandardElementList::selectItem(std::int32_t index) {
    if (index < 0 || index >= itemCount()) return;
    requestWithEvent(items[index]);
}

void GameUIStandardElementList::changeSelection() {
    if (requestedIndex == selectedIndex) return;
    if (requestedIndex < 0 || requestedIndex >= itemCount()) {
        requestedIndex = selectedIndex;
        return;
    }
    GameUIBaseListItem* next = items[requestedIndex];
    if (selectedItem && selectedItem != next && selectedItem->active) {
        selectedItem->active = 0;
        selectedItem->onDeactivated();
    }
    selectedIndex = requestedIndex;
    selectedItem = next;
    if (!next->active) {
        next->active = 1;
        next->onActivated();
    }
}

void GameUIStandardElementList::sortItems() {
    if (!removalQueue.empty() || requestedIndex != selectedIndex) {
        sortRequested = 1;
        return;
    }
    std::sort(items.begin(), items.end(),
              [](GameUIBaseListItem* a, GameUIBaseListItem* b) { return a->isLessThan(b); });
    const std::int32_t before = selectedItem ? static_cast<std::int32_t>(selectedItem->index) : -1;
    renumberFrom(0);
    if (selectedItem && static_cast<std::int32_t>(selectedItem->index) != before) requestWithEvent(selectedItem);
}

void GameUIStandardElementList::processRemovals() {
    if (removalQueue.empty()) return;
    std::vector<GameUIBaseListItem*> queue;
    queue.swap(removalQueue);
    for (GameUIBaseListItem* row : queue) {
        auto found = std::find(items.begin(), items.end(), row);
        if (found == items.end()) continue;
        const std::size_t erased = static_cast<std::size_t>(found - items.begin());
        const std::int32_t rowIndex = static_cast<std::int32_t>(row->index);
        items.erase(found);
        if (row == selectedItem) selectedItem = nullptr;
        removeChild(row);
        const std::int32_t selectedBefore = selectedItem ? static_cast<std::int32_t>(selectedItem->index) : -1;
        renumberFrom(erased);
        if (rowIndex == selectedIndex) {
            selectedItem = nullptr;
            if (selectedIndex < itemCount()) {
                // The row that moves into the selected place takes the selection.
                GameUIBaseListItem* next = items[selectedIndex];
                requestWithEvent(next);
                selectedIndex = -1;
                changeSelection();
            } else {
                selectedIndex = -1;
                requestedIndex = -1;
            }
        } else if (selectedItem && static_cast<std::int32_t>(selectedItem->index) != selectedBefore) {
            requestWithEvent(selectedItem);
        }
    }
    if (sorted) sortItems();
    layoutDirty = 1;
}

void GameUIStandardElementList::update(float dt) {
    processRemovals();
    changeSelection();
    if (sortRequested) {
        sortRequested = 0;
        sortItems();
    }
    if (layoutDirty) {
        layoutDirty = 0;
        layoutItems(firstVisible);
    }
    if (emitPending) {
        emitPending = 0;
        eventSignal.emit(eventData);
    }
    GameUIStandardElement::update(dt);
}

void GameUIStandardElementList::scrollTo(std::int32_t index) {
    layoutItems(std::min(std::max(index, 0), maxFirstVisible()));
}

void GameUIStandardElementList::onScrollBarEvent(UIEvent::Data&) {
    const std::int32_t position = std::max(static_cast<std::int32_t>(scrollBar->position), 0);
    if (position == firstVisible) return;
    firstVisible = position;
    layoutDirty = 1;
}

bool GameUIStandardElementList::onKey(KeyEvent::Data& event) {
    if (event.action == KeyEvent::Pressed && event.scanCode == upScanCode) {
        if (firstVisible > 0) {
            --firstVisible;
            layoutDirty = 1;
        } else {
            firstVisible = 0;
        }
        return true;
    }
    if (event.action == KeyEvent::Pressed && event.scanCode == downScanCode) {
        if (firstVisible < maxFirstVisible()) {
            ++firstVisible;
            layoutDirty = 1;
        } else {
            firstVisible = maxFirstVisible();
        }
        return true;
    }
    return GameUIStandardElement::onKey(event);
}
