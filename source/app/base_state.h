#pragma once
// The base of every state a manager drives through numbered phases: game states on the update
// thread, render states on the main thread.
#include <atomic>
#include <cstdint>
#include <string>

class BaseState {
public:
    // The phases a state goes through. Only the render-state manager acts on 2 to 4, 9 and 10.
    enum Status : std::uint32_t {
        LoadRequested = 0,
        Loading = 1,
        FinishingOnRenderThread = 2,
        WaitingForSceneContent = 3,
        Loaded = 4,
        Unused = 5,
        ReadyToEnter = 6,
        Running = 7,
        RunningWhileNextLoads = 8,
        Unloading = 9,
        Unloaded = 10,
        Quit = 11,
    };

    explicit BaseState(std::string name) : name_(std::move(name)) {}
    virtual ~BaseState() = default;
    BaseState(const BaseState&) = delete;
    BaseState& operator=(const BaseState&) = delete;

    virtual void enter() = 0;
    virtual void loadData() = 0;
    virtual void unloadData() = 0;
    virtual void onLoadFinished() = 0;
    virtual void continueUnload() = 0;
    virtual void linkNextState() = 0;
    virtual void shutdown() = 0;
    virtual void update(float dt) = 0;
    virtual void updateWhileLinked(float dt) = 0;
    virtual bool canStartLoading() { return true; }
    virtual bool isFinished() { return true; }
    // The one operation called from another thread (the main thread, when the window is closed).
    virtual void requestQuit() {}
    virtual std::uint32_t loadingProgress() { return 100; }

    const std::string& name() const { return name_; }
    BaseState* next() const { return next_; }
    void setNext(BaseState* next) { next_ = next; }
    std::uint32_t status() const { return status_.load(); }
    void setStatus(std::uint32_t status) { status_.store(status); }

private:
    std::string name_;
    BaseState* next_ = nullptr;
    // Written by the owning side; the frame hand-off reads and writes the render states' word
    // from the main thread too, so it is atomic.
    std::atomic<std::uint32_t> status_{LoadRequested};
};
