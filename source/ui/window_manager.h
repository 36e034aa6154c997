#pragma once
// The UI of one game state: its windows and their deferred deletion, the modal window and its
// history, the edit focus, the pointer capture, hover and the tool tip, and the colour themes.
#include <cstdint>
#include <deque>
#include <list>
#include <string>
#include <unordered_map>

#include "app/key_event.h"
#include "app/mouse_event.h"

class GameUIBaseElement;
class GameUIToolTipInterface;
class Theme;

class WindowManager {
public:
    static constexpr const char* themeFolder = "Data/ui/themes/";

    // Loads the themes of themesFolder; "default_theme" among them becomes the default.
    explicit WindowManager(std::uint32_t creatorWord, const std::string& themesFolder = themeFolder);
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    void addWindow(GameUIBaseElement* window);
    // Queues the window for deletion at the next update; it keeps receiving events until then.
    void removeWindow(GameUIBaseElement* window);
    void applyRemovals();
    void setActiveWindow(GameUIBaseElement* window);
    void restorePreviousWindow();
    void removeFromHistory(GameUIBaseElement* window);
    std::uint32_t getTopDepth() const;
    // The depth of a new top-level window: above every layer the windows open draw on, 32 at most.
    std::uint32_t depthForNewWindow() const;
    // The named theme, else the default theme (null when there is none).
    const Theme* getTheme(const std::string& name) const;
    void loadThemes(const std::string& folder);

    void update(float dt);
    bool dispatchKey(KeyEvent::Data& event);
    bool dispatchMouseButton(MouseEvent::Data& event);
    bool dispatchMouseMove(MouseEvent::Data& event);
    // An element asks for the edit focus; the next update hands it over.
    void requestFocus(GameUIBaseElement* element);
    // An element asks to capture the pointer from the next update until the left button's release.
    void requestCapture(GameUIBaseElement* element);

    // Called by an element's destructor: no reference to it may outlive it, and a modal window
    // that goes away hands the modality back to the one before it.
    void forgetElement(GameUIBaseElement* element);

    std::list<GameUIBaseElement*> windows;
    std::list<GameUIBaseElement*> removalQueue;
    GameUIBaseElement* activeWindow = nullptr;
    std::uint32_t creatorWord;
    const Theme* defaultTheme = nullptr;
    std::unordered_map<std::string, Theme*> themes;
    GameUIToolTipInterface* toolTip = nullptr;
    std::deque<GameUIBaseElement*> history;
    std::uint8_t releaseFocusRequested = 0;
    std::uint8_t focusRequested = 0;
    GameUIBaseElement* pendingFocusElement = nullptr;
    GameUIBaseElement* focusElement = nullptr;
    GameUIBaseElement* pendingActiveElement = nullptr;
    GameUIBaseElement* activeElement = nullptr;
    std::uint8_t releaseActiveRequested = 0;
    float pointerX = 0.0f;
    float pointerY = 0.0f;
    GameUIBaseElement* newUnderPointer = nullptr;
    GameUIBaseElement* underPointer = nullptr;
    std::uint8_t nothingUnderPointer = 0;

private:
    void updateFocus();
    void updateCapture();
    void updateHover();
};
