#pragma once
// A game state for the framework's tests: records every phase call and lets the test choose the
// answers and the status changes.
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/base_state.h"

class RecordingState : public BaseState {
public:
    explicit RecordingState(std::string name) : BaseState(std::move(name)) {}
    ~RecordingState() override {
        if (onDestroyed) onDestroyed(name());
    }

    void enter() override { record("enter"); }
    void loadData() override { record("loadData"); }
    void unloadData() override { record("unloadData"); }
    void onLoadFinished() override { record("onLoadFinished"); }
    void continueUnload() override { record("continueUnload"); }
    void linkNextState() override { record("linkNextState"); }
    void shutdown() override { record("shutdown"); }
    void update(float dt) override {
        record("update");
        if (onUpdate) onUpdate(dt);
    }
    void updateWhileLinked(float) override { record("updateWhileLinked"); }
    bool canStartLoading() override {
        record("canStartLoading");
        return canLoad;
    }
    bool isFinished() override {
        record("isFinished");
        return finished;
    }
    void requestQuit() override {
        record("requestQuit");
        if (onRequestQuit) onRequestQuit();
        quitRequested = true;
    }

    std::vector<std::string> calls() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }
    void clearCalls() {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.clear();
    }

    bool canLoad = true;
    bool finished = true;
    std::atomic<bool> quitRequested{false};
    std::function<void(float)> onUpdate;
    std::function<void(const std::string&)> onDestroyed;
    std::function<void()> onRequestQuit;

private:
    void record(const char* call) {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back(call);
    }
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
};
