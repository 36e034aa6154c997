// Loader workers: polled without waiting, joined once seen done, and waited for when destroyed
// while their job still runs.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <thread>

#include "render/fx_shader_loader.h"
#include "render/loader_worker.h"

namespace {

TEST(LoaderWorker, IsPolledWithoutWaitingAndReportsDoneOnceTheJobHasRun) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> ran{false};
    LoaderWorker worker([&] {
        released.wait();
        ran = true;
    });
    EXPECT_FALSE(worker.isDone()) << "the job is still waiting: the poll must not block";
    release.set_value();
    while (!worker.isDone()) std::this_thread::yield();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(worker.isDone()) << "still done after the join";
}

TEST(LoaderWorker, DestroyedMidLoadItWaitsForTheLoaderItRuns) {
    std::promise<void> started, release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> finished{false};
    // An effect compile on the worker, held in the middle until the test lets it go on.
    auto loader = std::make_unique<FXShaderLoader>("Data/graphics/3d/effects/missing.fx", nullptr);
    auto worker = std::make_unique<LoaderWorker>([&] {
        started.set_value();
        released.wait();
        loader->loadFile();
        finished = true;
    });
    started.get_future().wait();
    bool finishedWhenDestroyed = false;
    std::thread destroyer([&] {
        worker.reset();
        finishedWhenDestroyed = finished;
    });
    release.set_value();
    destroyer.join();
    EXPECT_TRUE(finishedWhenDestroyed) << "the worker's destruction returned before its job ended";
    EXPECT_EQ(loader->getState(), LoadableAsset::FileLoaded);
}

} // namespace
