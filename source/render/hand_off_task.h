#pragma once
// Work that update-side code asks the main thread to run during the frame hand-off.
class HandOffTask {
public:
    virtual ~HandOffTask() = default;
    virtual void run() = 0;
    virtual bool wantsToRun() = 0;
};
