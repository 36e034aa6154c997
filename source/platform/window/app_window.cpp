#include "platform/window/app_window.h"

#include <SDL.h>
#include <atomic>
#include <map>
#include <mutex>

#include "platform/window/window_icon.h"

namespace platform {

namespace {

std::mutex observersMutex;
std::map<int, SdlEventObserver>& observers() {
    static std::map<int, SdlEventObserver> list;
    return list;
}
int nextObserverId = 1;

void notifyObservers(const SDL_Event& event) {
    std::map<int, SdlEventObserver> copy;
    {
        std::lock_guard<std::mutex> lock(observersMutex);
        copy = observers();
    }
    for (auto& entry : copy) entry.second(event);
}

std::atomic<bool> verticalSyncRefused{false};

std::int32_t asWord(int value) { return static_cast<std::int32_t>(static_cast<std::uint16_t>(value)); }

} // namespace

int addSdlEventObserver(SdlEventObserver observer) {
    std::lock_guard<std::mutex> lock(observersMutex);
    int id = nextObserverId++;
    observers()[id] = std::move(observer);
    return id;
}

void removeSdlEventObserver(int id) {
    std::lock_guard<std::mutex> lock(observersMutex);
    observers().erase(id);
}

std::unique_ptr<AppWindow> AppWindow::create(const std::string& title, int x, int y, int clientWidth,
                                             int clientHeight, std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    std::unique_ptr<AppWindow> window(new AppWindow);
    window->window_ = SDL_CreateWindow(title.c_str(), x, y, clientWidth, clientHeight,
                                       SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (!window->window_) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    window->windowId_ = SDL_GetWindowID(window->window_);
    setWindowIcon(window->window_);
    return window;
}

// The video system stays up for the rest of the process: error message boxes still need it,
// and shutting it down would unload the GL driver with its allocations still live.
AppWindow::~AppWindow() {
    if (window_) SDL_DestroyWindow(window_);
}

bool AppWindow::translate(const SDL_Event& event, WindowMessage& message) const {
    switch (event.type) {
    case SDL_QUIT:
        // A termination request from outside (the session ending, a signal) is a close request.
        message.kind = WindowMessageKind::Close;
        return true;
    case SDL_MOUSEMOTION:
        if (event.motion.windowID != windowId_) return false;
        message.kind = WindowMessageKind::MouseMove;
        message.x = event.motion.x;
        message.y = event.motion.y;
        return true;
    case SDL_WINDOWEVENT:
        if (event.window.windowID != windowId_) return false;
        switch (event.window.event) {
        case SDL_WINDOWEVENT_MOVED:
            message.kind = WindowMessageKind::Move;
            message.x = asWord(event.window.data1);
            message.y = asWord(event.window.data2);
            return true;
        case SDL_WINDOWEVENT_MINIMIZED:
            message.kind = WindowMessageKind::Size;
            message.size = SizeKind::Minimized;
            return true;
        case SDL_WINDOWEVENT_MAXIMIZED:
            message.kind = WindowMessageKind::Size;
            message.size = SizeKind::Maximized;
            return true;
        case SDL_WINDOWEVENT_RESTORED:
            message.kind = WindowMessageKind::Size;
            message.size = SizeKind::Restored;
            return true;
        case SDL_WINDOWEVENT_RESIZED:
            // SDL reports a user resize once it is done, as the end of a size-move loop.
            message.kind = WindowMessageKind::ExitSizeMove;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            message.kind = WindowMessageKind::Activate;
            message.active = event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
            return true;
        case SDL_WINDOWEVENT_ENTER:
        case SDL_WINDOWEVENT_LEAVE:
            message.kind = WindowMessageKind::SetCursor;
            message.inClient = event.window.event == SDL_WINDOWEVENT_ENTER;
            return true;
        case SDL_WINDOWEVENT_CLOSE:
            message.kind = WindowMessageKind::Close;
            return true;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
            message.kind = WindowMessageKind::Expose;
            return true;
        default:
            return false;
        }
    default:
        return false;
    }
}

bool AppWindow::peekMessage(WindowMessage& message) {
    if (!posted_.empty()) {
        message = posted_.front();
        posted_.pop_front();
        return true;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        notifyObservers(event);
        message = WindowMessage{};
        if (translate(event, message)) return true;
    }
    return false;
}

void AppWindow::postQuitMessage(int exitCode) {
    WindowMessage message;
    message.kind = WindowMessageKind::Quit;
    message.exitCode = exitCode;
    posted_.push_back(message);
}

namespace {

void displayOrigin(SDL_Window* window, int& x, int& y) {
    SDL_Rect bounds{0, 0, 0, 0};
    int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0 || SDL_GetDisplayBounds(display, &bounds) != 0) bounds = SDL_Rect{0, 0, 0, 0};
    x = bounds.x;
    y = bounds.y;
}

} // namespace

// SDL reports a move only after the window system has made it, so the application cannot learn
// the framed position from move reports while it switches: the window keeps it here.
void AppWindow::setBorderless(bool borderless) {
    if (borderless == borderless_) return;
    if (borderless) {
        SDL_GetWindowPosition(window_, &framedX_, &framedY_);
        borderless_ = true;
        SDL_SetWindowBordered(window_, SDL_FALSE);
        int x = 0, y = 0;
        displayOrigin(window_, x, y);
        SDL_SetWindowPosition(window_, x, y);
    } else {
        borderless_ = false;
        SDL_SetWindowBordered(window_, SDL_TRUE);
        SDL_SetWindowPosition(window_, framedX_, framedY_);
    }
}

void AppWindow::setPosition(int x, int y) {
    if (!borderless_) {
        SDL_SetWindowPosition(window_, x, y);
        return;
    }
    framedX_ = x;
    framedY_ = y;
    int originX = 0, originY = 0;
    displayOrigin(window_, originX, originY);
    SDL_SetWindowPosition(window_, originX, originY);
}

void AppWindow::position(int& x, int& y) const { SDL_GetWindowPosition(window_, &x, &y); }

void AppWindow::setClientSize(int width, int height) { SDL_SetWindowSize(window_, width, height); }

void AppWindow::show() { SDL_ShowWindow(window_); }

void AppWindow::frameExtras(int& extraWidth, int& extraHeight) const {
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) top = left = bottom = right = 0;
    extraWidth = left + right;
    extraHeight = top + bottom;
}

void AppWindow::clientSize(int& width, int& height) const { SDL_GetWindowSize(window_, &width, &height); }

void AppWindow::showSystemCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void AppWindow::requestClose() {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = windowId_;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&event);
}

void AppWindow::warpPointer(int x, int y) { SDL_WarpMouseInWindow(window_, x, y); }

bool AppWindow::swapWaitsForVerticalBlank() const {
    if (verticalSyncRefused || !SDL_GL_GetCurrentContext()) return false;
    return SDL_GL_GetSwapInterval() != 0;
}

int AppWindow::refreshRate() const {
    SDL_DisplayMode mode;
    if (SDL_GetWindowDisplayMode(window_, &mode) == 0 && mode.refresh_rate > 0) return mode.refresh_rate;
    int display = SDL_GetWindowDisplayIndex(window_);
    if (display >= 0 && SDL_GetDesktopDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0) return mode.refresh_rate;
    return 0;
}

void refuseVerticalSync(bool refuse) { verticalSyncRefused = refuse; }

void releaseThreadState() { SDL_TLSCleanup(); }

void screenSize(int& width, int& height) {
    SDL_DisplayMode mode;
    if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        width = mode.w;
        height = mode.h;
        return;
    }
    width = 0;
    height = 0;
}

} // namespace platform
