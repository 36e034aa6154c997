#pragma once
// The application base: the main window, its message loop with frame timing, and the window
// procedure that turns window messages into flags the frame reads.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "app/frame_timer.h"
#include "platform/event.h"
#include "platform/window/app_window.h"

class QelApp {
public:
    QelApp(std::uint32_t width, std::uint32_t height, bool pauseWhenInactive, std::string title);
    virtual ~QelApp();
    QelApp(const QelApp&) = delete;
    QelApp& operator=(const QelApp&) = delete;

    virtual void update(float clampedDt) = 0;
    virtual void frame(float clampedDt, float rawDt) = 0;
    virtual void shutdown() = 0;
    virtual bool createMainWindow();
    // The message loop; returns the process exit status: 0 after a normal quit, non-zero when
    // set-up failed.
    virtual int run();
    virtual void windowProc(const platform::WindowMessage& message);
    virtual void onMouseMove(const short position[2]) = 0;
    virtual void onClose() = 0;

    // False when the window (or, in a derived application, the device) could not be set up; the
    // reason has been shown to the player.
    bool setUpSucceeded() const { return !setUpFailed_; }
    platform::AppWindow* window() const { return window_.get(); }
    bool paused() const { return paused_; }
    std::int32_t windowX() const { return windowX_; }
    std::int32_t windowY() const { return windowY_; }
    bool resizePending() const { return resizePending_; }
    bool sizeChanged() const { return sizeChanged_; }
    float clampedFrameTime() const { return clampedFrameTime_; }
    bool redrawWanted() const { return redrawWanted_; }
    const FrameTimer& frameTimer() const { return frameTimer_; }

protected:
    // Marks set-up as failed: the message is shown and run() ends at once with a failure status.
    void failSetUp(const std::string& message);

    platform::Event renderThreadCycleFinished_{"RenderThreadCycleFinished"};
    platform::Event updateThreadCycleFinished_{"UpdateThreadCycleFinished"};

    bool shuttingDown_ = false;
    // Written by the hand-off, read by the loop; both on the main thread.
    bool quitRequested_ = false;
    bool resizePending_ = false;
    bool sizeChanged_ = true;
    bool fullScreenWanted_ = false;
    bool fullScreenNow_ = false;
    std::uint32_t frameExtraWidth_ = 0;
    std::uint32_t frameExtraHeight_ = 0;
    float clampedFrameTime_ = 0.0f;
    std::string title_;
    std::unique_ptr<platform::AppWindow> window_;
    bool paused_ = false;
    FrameTimer frameTimer_;
    FrameClock systemClock_;
    FrameClock* frameClock_ = &systemClock_;
    std::uint32_t clientWidth_;
    std::uint32_t clientHeight_;
    std::int32_t windowX_ = 0;
    std::int32_t windowY_ = 0;
    bool pauseWhenInactive_;
    bool loopDone_ = false;
    bool setUpFailed_ = false;
    // Set by the window procedure when the window lost its picture (shown, uncovered, resized):
    // the frame draws it again even if nothing on it changed. The frame clears it.
    bool redrawWanted_ = true;
    // Whether the last frame showed a picture (the frame sets it). A frame that showed none did
    // not wait for the display either, so the loop paces the next one itself.
    bool framePresented_ = true;

private:
    void runFrame();
};
