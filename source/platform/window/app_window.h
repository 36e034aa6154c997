#pragma once
// The application's one top-level window over SDL, with SDL's events translated into the
// message kinds the application's window procedure handles.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

struct SDL_Window;
union SDL_Event;

namespace platform {

enum class WindowMessageKind {
    Quit,         // posted by postQuitMessage
    Move,         // x, y: the window's top-left as 16-bit words, as the design's move message has them
    Size,         // size: what happened to the window
    Activate,     // active: focus gained or lost
    Close,        // the user asked to close the window
    SetCursor,    // inClient: the pointer entered (true) or left (false) the client area
    ExitSizeMove, // the user finished resizing the window
    MouseMove,    // x, y: pointer in client pixels
    Expose,       // the window's picture was lost (shown, uncovered): it must be drawn again
};

enum class SizeKind { Restored, Minimized, Maximized };

struct WindowMessage {
    WindowMessageKind kind = WindowMessageKind::Quit;
    std::int32_t x = 0;
    std::int32_t y = 0;
    SizeKind size = SizeKind::Restored;
    bool active = false;
    bool inClient = false;
    int exitCode = 0;
};

class AppWindow {
public:
    // A shown window of a fixed size (the settings choose it) with room for a GL context and the
    // program's icon. Null, with the reason in error,
    // when there is no video driver or the window can't be made.
    static std::unique_ptr<AppWindow> create(const std::string& title, int x, int y, int clientWidth,
                                             int clientHeight, std::string& error);
    ~AppWindow();
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    // Takes the next message for the window procedure; false when none waits. Every SDL event
    // taken is first offered to the event observers (the input buffers are filled that way).
    bool peekMessage(WindowMessage& message);
    void postQuitMessage(int exitCode);

    // Borderless at the display's origin (full screen), or the ordinary framed window. While
    // borderless the window stays at the origin: a position asked for meanwhile is where it
    // returns when framed again (the position it had when it went borderless, unless moved since).
    void setBorderless(bool borderless);
    void setPosition(int x, int y);
    void position(int& x, int& y) const;
    void setClientSize(int width, int height);
    void show();
    // What the frame adds around the client area (zero without a window manager).
    void frameExtras(int& extraWidth, int& extraHeight) const;
    void clientSize(int& width, int& height) const;
    void showSystemCursor(bool show);
    // Queues a close request as the window manager would send it.
    void requestClose();
    // Moves the system pointer to a client-area position.
    void warpPointer(int x, int y);
    // True when a swap waits for the display's vertical blank (the swap interval in effect on
    // the calling thread's GL context is not zero).
    bool swapWaitsForVerticalBlank() const;
    // The refresh rate of the display the window is on, in Hz; 0 when the system does not say.
    int refreshRate() const;

    SDL_Window* sdlWindow() const { return window_; }
    std::uint32_t windowId() const { return windowId_; }

private:
    AppWindow() = default;
    bool translate(const SDL_Event& event, WindowMessage& message) const;

    SDL_Window* window_ = nullptr;
    std::uint32_t windowId_ = 0;
    std::deque<WindowMessage> posted_;
    bool borderless_ = false;
    int framedX_ = 0;
    int framedY_ = 0;
};

// For tests: swaps are reported as not waiting for the vertical blank, as on an X server that
// refuses a swap interval.
void refuseVerticalSync(bool refuse);

// The size of the screen the window opens on (the first display).
void screenSize(int& width, int& height);

// Frees what SDL keeps for the calling thread; a thread that used SDL calls it before it ends.
void releaseThreadState();

// Every SDL event the window pump takes is handed to each observer first, in the order added.
using SdlEventObserver = std::function<void(const SDL_Event&)>;
int addSdlEventObserver(SdlEventObserver observer);
void removeSdlEventObserver(int id);

} // namespace platform
