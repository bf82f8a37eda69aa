// Start, threads and stop of the engine. These run in a process of their own
// (see CMakeLists.txt): the engine can start only once per process.
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "cef_app.h"
#include "cef_task.h"

namespace {

// Notes on which engine threads it ran.
class ProbeTask : public CefTask {
public:
    void Execute(CefThreadId threadId) override {
        reportedId = threadId;
        onUi = CefCurrentlyOn(TID_UI);
        onIo = CefCurrentlyOn(TID_IO);
        onFile = CefCurrentlyOn(TID_FILE);
        thread = std::this_thread::get_id();
        done.set_value();
    }

    std::promise<void> done;
    CefThreadId reportedId = TID_UI;
    bool onUi = false;
    bool onIo = false;
    bool onFile = false;
    std::thread::id thread;

    IMPLEMENT_REFCOUNTING(ProbeTask)
};

class CountingTask : public CefTask {
public:
    explicit CountingTask(std::atomic<int>& counter) : counter_(counter) {}
    void Execute(CefThreadId) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ++counter_;
    }

private:
    std::atomic<int>& counter_;
    IMPLEMENT_REFCOUNTING(CountingTask)
};

CefSettings runnableSettings() {
    CefSettings settings;
    settings.multi_threaded_message_loop = true;
    return settings;
}

// These need a process in which the engine never ran.
bool engineAlreadyUsed() {
    struct Nothing : CefTask {
        void Execute(CefThreadId) override {}
        IMPLEMENT_REFCOUNTING(Nothing)
    };
    return CefPostTask(TID_FILE, new Nothing());
}

} // namespace

TEST(EngineStart, refusesWrongRevisionOrMissingMessageLoopAndStartsNothing) {
    if (engineAlreadyUsed())
        GTEST_SKIP() << "run with --gtest_filter=EngineStart.* in a process of its own";
    EXPECT_EQ(1123, cef_build_revision());
    EXPECT_FALSE(cef_initialize(CEF_REVISION + 1, runnableSettings(), nullptr));
    EXPECT_FALSE(CefPostTask(TID_IO, new ProbeTask()));

    CefSettings noLoop;
    EXPECT_FALSE(CefInitialize(noLoop, nullptr));
    EXPECT_FALSE(CefPostTask(TID_UI, new ProbeTask()));
    EXPECT_FALSE(CefCurrentlyOn(TID_UI));
}

TEST(EngineStart, runsTasksOnTheirThreadsAndDrainsThemAtShutdown) {
    if (engineAlreadyUsed())
        GTEST_SKIP() << "run with --gtest_filter=EngineStart.* in a process of its own";
    ASSERT_TRUE(CefInitialize(runnableSettings(), nullptr));
    EXPECT_FALSE(CefInitialize(runnableSettings(), nullptr)) << "a second start while running";

    CefRefPtr<ProbeTask> tasks[3] = {new ProbeTask(), new ProbeTask(), new ProbeTask()};
    const CefThreadId ids[3] = {TID_UI, TID_IO, TID_FILE};
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(CefPostTask(ids[i], tasks[i].get()));
    for (auto& task : tasks)
        ASSERT_EQ(std::future_status::ready,
                  task->done.get_future().wait_for(std::chrono::seconds(30)));
    EXPECT_TRUE(tasks[0]->onUi && !tasks[0]->onIo && !tasks[0]->onFile);
    EXPECT_TRUE(!tasks[1]->onUi && tasks[1]->onIo && !tasks[1]->onFile);
    EXPECT_TRUE(!tasks[2]->onUi && !tasks[2]->onIo && tasks[2]->onFile);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ids[i], tasks[i]->reportedId);
    EXPECT_NE(tasks[0]->thread, std::this_thread::get_id());
    EXPECT_NE(tasks[0]->thread, tasks[1]->thread);
    EXPECT_NE(tasks[1]->thread, tasks[2]->thread);
    EXPECT_FALSE(CefCurrentlyOn(TID_UI));

    // Tasks still queued when the engine stops run before it is gone.
    std::atomic<int> ran{0};
    for (int i = 0; i < 10; ++i) {
        for (const auto id : ids)
            ASSERT_TRUE(CefPostTask(id, new CountingTask(ran)));
    }
    CefShutdown();
    EXPECT_EQ(30, ran.load());
    EXPECT_FALSE(CefPostTask(TID_IO, new CountingTask(ran)));
    EXPECT_FALSE(CefInitialize(runnableSettings(), nullptr))
        << "Chromium cannot start twice in one process";
}
