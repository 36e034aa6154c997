#include "app/qel_app.h"

#include <algorithm>

#include "app/program_pointer.h"
#include "platform/clock.h"
#include "platform/message_box.h"

namespace {

// Process-wide, like the system cursor they track.
bool lastSizeWasMinOrMax = false;
bool systemCursorHidden = false;
bool pointerInClient = false;

// A window position word above 30000 stands for a negative coordinate.
std::int32_t positionFromWord(std::int32_t word) { return word > 30000 ? word - 65535 : word; }

// The system cursor is hidden over the client area once the program draws its own pointer.
void applySystemCursor(platform::AppWindow* window) {
    const bool hide = pointerInClient && programpointer::drawn();
    if (!window || hide == systemCursorHidden) return;
    window->showSystemCursor(!hide);
    systemCursorHidden = hide;
}

} // namespace

QelApp::QelApp(std::uint32_t width, std::uint32_t height, bool pauseWhenInactive, std::string title)
    : title_(std::move(title)), clientWidth_(width), clientHeight_(height), pauseWhenInactive_(pauseWhenInactive) {
    createMainWindow();
    shuttingDown_ = false;
    quitRequested_ = false;
    resizePending_ = false;
    sizeChanged_ = true;
    fullScreenWanted_ = false;
    fullScreenNow_ = false;
    // Where the window goes when it returns from full screen: centred, at least 40 from the edge.
    int screenWidth = 0, screenHeight = 0;
    platform::screenSize(screenWidth, screenHeight);
    windowX_ = std::max<std::int32_t>((screenWidth - static_cast<std::int32_t>(width)) / 2, 40);
    windowY_ = std::max<std::int32_t>((screenHeight - static_cast<std::int32_t>(height)) / 2, 40);
}

QelApp::~QelApp() {
    if (systemCursorHidden && window_) {
        window_->showSystemCursor(true);
        systemCursorHidden = false;
    }
}

void QelApp::failSetUp(const std::string& message) {
    if (!setUpFailed_) platform::showMessageBox("", message);
    setUpFailed_ = true;
}

bool QelApp::createMainWindow() {
    std::string error;
    window_ = platform::AppWindow::create(title_, 100, 100, static_cast<int>(clientWidth_),
                                          static_cast<int>(clientHeight_), error);
    if (!window_) {
        failSetUp("CreateWindow FAILED");
        return false;
    }
    int extraWidth = 0, extraHeight = 0;
    window_->frameExtras(extraWidth, extraHeight);
    frameExtraWidth_ = static_cast<std::uint32_t>(extraWidth);
    frameExtraHeight_ = static_cast<std::uint32_t>(extraHeight);
    return true;
}

int QelApp::run() {
    if (setUpFailed_ || !window_) return 1;
    platform::WindowMessage message;
    while (!loopDone_) {
        if (quitRequested_) loopDone_ = true;
        if (window_->peekMessage(message)) {
            windowProc(message);
            if (message.kind == platform::WindowMessageKind::MouseMove) {
                const short position[2] = {static_cast<short>(message.x), static_cast<short>(message.y)};
                onMouseMove(position);
            }
        } else if (!paused_) {
            runFrame();
            applySystemCursor(window_.get());
        } else {
            platform::sleepMilliseconds(100);
        }
    }
    shutdown();
    return setUpFailed_ ? 1 : 0;
}

void QelApp::runFrame() {
    // When swaps do not wait for the display (an X server without a swap interval, or vertical
    // sync turned off), or the last frame changed nothing and so was not shown, nothing else
    // paces the loop: sleep out the rest of each display refresh rather than run frames nobody
    // sees.
    if (framePresented_ && window_->swapWaitsForVerticalBlank()) {
        frameTimer_.enabled = false;
    } else {
        frameTimer_.limitTo(window_->refreshRate());
    }
    if (std::uint32_t wait = frameTimer_.waitBefore(frameClock_->now())) frameClock_->sleep(wait);
    float clamped = frameTimer_.tick(frameClock_->now());
    frame(clamped, frameTimer_.delta);
}

void QelApp::windowProc(const platform::WindowMessage& message) {
    using platform::WindowMessageKind;
    switch (message.kind) {
    case WindowMessageKind::Move:
        // Moves of the full-screen window (to the origin, and reports of earlier moves that SDL
        // delivers late) are not where the framed window goes back to.
        if (fullScreenNow_) break;
        windowX_ = positionFromWord(message.x);
        windowY_ = positionFromWord(message.y);
        break;
    case WindowMessageKind::Size:
        sizeChanged_ = true;
        redrawWanted_ = true;
        switch (message.size) {
        case platform::SizeKind::Minimized:
            if (pauseWhenInactive_) paused_ = true;
            lastSizeWasMinOrMax = true;
            break;
        case platform::SizeKind::Maximized:
            paused_ = false;
            resizePending_ = true;
            lastSizeWasMinOrMax = true;
            break;
        case platform::SizeKind::Restored:
            paused_ = false;
            if (lastSizeWasMinOrMax && !fullScreenNow_) resizePending_ = true;
            lastSizeWasMinOrMax = false;
            break;
        }
        break;
    case WindowMessageKind::Activate:
        if (!message.active) {
            if (pauseWhenInactive_) paused_ = true;
        } else {
            paused_ = false;
        }
        break;
    case WindowMessageKind::Close:
        // Only asks: the game decides whether and when the program ends. It answers in its
        // update cycles, so an inactive window must not keep them paused; otherwise a close from
        // outside (a task bar, a termination signal) would wait for the window to be activated.
        paused_ = false;
        onClose();
        break;
    case WindowMessageKind::SetCursor:
        pointerInClient = message.inClient;
        applySystemCursor(window_.get());
        break;
    case WindowMessageKind::ExitSizeMove:
        resizePending_ = true;
        sizeChanged_ = true;
        redrawWanted_ = true;
        break;
    case WindowMessageKind::Expose:
        redrawWanted_ = true;
        break;
    case WindowMessageKind::Quit:
    case WindowMessageKind::MouseMove:
        break;
    }
}
