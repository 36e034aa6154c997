#include "render/loader_worker.h"

LoaderWorker::LoaderWorker(std::function<void()> job)
    : thread_([this, job = std::move(job)] {
          job();
          done_.store(true, std::memory_order_release);
      }) {}

LoaderWorker::~LoaderWorker() {
    if (thread_.joinable()) thread_.join();
}

bool LoaderWorker::isDone() {
    if (!done_.load(std::memory_order_acquire)) return false;
    if (thread_.joinable()) thread_.join();
    return true;
}
