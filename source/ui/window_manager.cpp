#include "ui/window_manager.h"

#include <algorithm>
#include <vector>

#include "app/directory_lister.h"
#include "ui/game_ui_base_element.h"
#include "ui/game_ui_tool_tip_interface.h"
#include "ui/theme.h"

namespace {

void activate(GameUIBaseElement* element) {
    if (element->active) return;
    element->active = 1;
    element->onActivated();
}

void deactivate(GameUIBaseElement* element) {
    if (!element->active) return;
    element->active = 0;
    element->onDeactivated();
}

bool isReleaseOfLeftButton(const MouseEvent::Data& event) {
    return event.type == MouseEvent::Release && event.button == 0;
}

} // namespace

WindowManager::WindowManager(std::uint32_t creatorWord, const std::string& themesFolder) : creatorWord(creatorWord) {
    loadThemes(themesFolder);
    auto found = themes.find("default_theme");
    if (found != themes.end()) defaultTheme = found->second;
}

WindowManager::~WindowManager() {
    applyRemovals();
    removalQueue.clear();
    // Each window's destructor asks the manager to forget it: take it off the list first.
    while (!windows.empty()) {
        GameUIBaseElement* window = windows.front();
        windows.pop_front();
        delete window;
    }
    for (auto& entry : themes) delete entry.second;
    themes.clear();
    defaultTheme = nullptr;
    history.clear();
}

void WindowManager::addWindow(GameUIBaseElement* window) { windows.push_back(window); }

void WindowManager::removeWindow(GameUIBaseElement* window) {
    if (!window) return;
    window->setParent(nullptr);
    removalQueue.push_back(window);
}

void WindowManager::applyRemovals() {
    while (!removalQueue.empty()) {
        GameUIBaseElement* window = removalQueue.front();
        removalQueue.pop_front();
        auto found = std::find(windows.begin(), windows.end(), window);
        if (found == windows.end()) continue;
        windows.erase(found);
        if (window == activeWindow) restorePreviousWindow();
        removeFromHistory(window);
        // Its destructor also takes it off the queue, so a window queued twice is deleted once.
        delete window;
    }
}

void WindowManager::setActiveWindow(GameUIBaseElement* window) {
    // A window that takes every event ends the hover of anything outside it; its tool tip would
    // otherwise stay up over the new window, since no move outside it reaches that element again.
    if (window && window != activeWindow && underPointer) {
        const GameUIBaseElement* inside = underPointer;
        while (inside && inside != window) inside = inside->parent;
        if (!inside) {
            underPointer->onMouseLeave();
            underPointer = nullptr;
        }
    }
    if (window == activeWindow || !activeWindow) {
        activeWindow = window;
        return;
    }
    if (std::find(windows.begin(), windows.end(), activeWindow) != windows.end()) history.push_back(activeWindow);
    activeWindow = window;
}

void WindowManager::restorePreviousWindow() {
    if (history.empty()) {
        activeWindow = nullptr;
        return;
    }
    GameUIBaseElement* previous = history.back();
    history.pop_back();
    activeWindow = previous == activeWindow ? nullptr : previous;
}

void WindowManager::removeFromHistory(GameUIBaseElement* window) {
    history.erase(std::remove(history.begin(), history.end(), window), history.end());
}

std::uint32_t WindowManager::getTopDepth() const {
    std::uint32_t top = 0;
    for (const GameUIBaseElement* window : windows) top = std::max(top, window->topDepth);
    return top;
}

std::uint32_t WindowManager::depthForNewWindow() const {
    // An element draws on its depth and on up to two layers above it (a button's caption).
    constexpr std::uint32_t layersAboveDepth = 2;
    return std::min(getTopDepth() + layersAboveDepth + 1, GameUIBaseElement::maxDepth);
}

const Theme* WindowManager::getTheme(const std::string& name) const {
    auto found = themes.find(name);
    return found == themes.end() ? defaultTheme : found->second;
}

void WindowManager::loadThemes(const std::string& folder) {
    std::vector<FileEntry> entries;
    listFolderEntries(folder, "xml", entries, false, false);
    for (const FileEntry& entry : entries) {
        if (entry.isDirectory) continue;
        Theme*& slot = themes[entry.name];
        delete slot;
        slot = new Theme(entry.fullPath);
    }
}

void WindowManager::forgetElement(GameUIBaseElement* element) {
    for (GameUIBaseElement** reference : {&newUnderPointer, &underPointer, &pendingFocusElement, &focusElement,
                                          &pendingActiveElement, &activeElement}) {
        if (*reference == element) *reference = nullptr;
    }
    windows.remove(element);
    removalQueue.remove(element);
    removeFromHistory(element);
    if (activeWindow == element) restorePreviousWindow();
}

bool WindowManager::dispatchKey(KeyEvent::Data& event) {
    if (activeWindow) {
        activeWindow->onKey(event);
        return true;
    }
    bool handled = false;
    // Handlers may open windows (appended) but never delete one: removal waits for the update.
    for (GameUIBaseElement* window : windows) handled = window->onKey(event) || handled;
    return handled;
}

bool WindowManager::dispatchMouseButton(MouseEvent::Data& event) {
    if (focusElement && isReleaseOfLeftButton(event)) releaseFocusRequested = 1;
    // A capture asked for in this very cycle is released too, so a quick click cannot leave it held.
    if ((activeElement || pendingActiveElement) && isReleaseOfLeftButton(event)) releaseActiveRequested = 1;
    if (activeWindow) {
        activeWindow->onMouseButton(event);
        return true;
    }
    for (GameUIBaseElement* window : windows) {
        if (window->containsPoint(event.x, event.y) && window->onMouseButton(event)) return true;
    }
    return false;
}

bool WindowManager::dispatchMouseMove(MouseEvent::Data& event) {
    pointerX = event.x;
    pointerY = event.y;
    // Only the latest move says whether the pointer is over nothing: a flag left from moves over
    // empty space would otherwise end the hover the next element has just begun.
    nothingUnderPointer = 0;
    if (activeElement) {
        if (activeElement->onMouseMove(event)) return true;
        nothingUnderPointer = 1;
        return false;
    }
    if (activeWindow) {
        if (activeWindow->disabled) return true;
        if (!activeWindow->onMouseMove(event)) return true;
        if (toolTip) {
            toolTip->setText(activeWindow->getToolTipText());
            toolTip->show(true);
        }
        return true;
    }
    for (GameUIBaseElement* window : windows) {
        if (window->containsPoint(event.x, event.y) && window->onMouseMove(event)) return true;
    }
    nothingUnderPointer = 1;
    return false;
}

void WindowManager::update(float dt) {
    updateFocus();
    updateCapture();
    updateHover();
    applyRemovals();
    for (GameUIBaseElement* window : windows) window->update(dt);
}

void WindowManager::requestFocus(GameUIBaseElement* element) {
    pendingFocusElement = element;
    focusRequested = 1;
}

void WindowManager::requestCapture(GameUIBaseElement* element) { pendingActiveElement = element; }

void WindowManager::updateFocus() {
    GameUIBaseElement*& f = focusElement;
    GameUIBaseElement*& p = pendingFocusElement;
    if (releaseFocusRequested && f) {
        releaseFocusRequested = 0;
        if (!focusRequested) {
            deactivate(f);
            f = nullptr;
            return;
        }
        focusRequested = 0;
        if (!p) {
            // The element that asked was destroyed since: no request.
            deactivate(f);
            f = nullptr;
        } else if (p == f) {
            p = nullptr;
        } else {
            deactivate(f);
            f = p;
            activate(f);
        }
        return;
    }
    if (p && focusRequested) {
        focusRequested = 0;
        if (!f) {
            f = p;
            activate(f);
        } else if (p == f) {
            p = nullptr;
        } else {
            deactivate(f);
            f = p;
            activate(f);
        }
    }
}

void WindowManager::updateCapture() {
    if (pendingActiveElement) {
        activeElement = pendingActiveElement;
        activate(activeElement);
        pendingActiveElement = nullptr;
    }
    if (releaseActiveRequested && activeElement) {
        releaseActiveRequested = 0;
        deactivate(activeElement);
        activeElement = nullptr;
    }
}

void WindowManager::updateHover() {
    if (newUnderPointer) {
        if (newUnderPointer != underPointer) {
            if (underPointer) underPointer->onMouseLeave();
            underPointer = newUnderPointer;
            underPointer->onMouseEnter();
        }
        newUnderPointer = nullptr;
    }
    if (nothingUnderPointer && underPointer) {
        nothingUnderPointer = 0;
        underPointer->onMouseLeave();
        underPointer = nullptr;
    }
    if (!toolTip) return;
    if (underPointer) {
        toolTip->setText(underPointer->getToolTipText());
        toolTip->show(true);
    } else {
        toolTip->show(false);
    }
}
