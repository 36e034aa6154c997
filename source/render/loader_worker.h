#pragma once
// A loader worker: one job on its own thread, which the render thread polls without waiting and
// joins once it has seen it done. Destroying a worker whose job still runs waits for the job, so
// nothing it works on is freed under it.
#include <atomic>
#include <functional>
#include <thread>

class LoaderWorker {
public:
    explicit LoaderWorker(std::function<void()> job);
    ~LoaderWorker();
    LoaderWorker(const LoaderWorker&) = delete;
    LoaderWorker& operator=(const LoaderWorker&) = delete;

    // Never blocks: false while the job runs; once it has finished, joins the thread and answers
    // true from then on.
    bool isDone();

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};
