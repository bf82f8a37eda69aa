// The engine's worker thread stopped and destroyed from inside its own work,
// as when a download handler stops the engine from its Complete.
#include "browser/engine/src/TaskThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>

namespace {

// Tells when the thread it lives on has ended.
struct ThreadEndSignal {
    std::promise<void>* ended = nullptr;
    ~ThreadEndSignal() {
        if (ended)
            ended->set_value();
    }
};

thread_local ThreadEndSignal endSignal;

TEST(TaskThreadTest, StoppedAndDestroyedFromItsOwnWorkEndsOnItsOwn) {
    auto thread = std::make_unique<TaskThread>("test-worker");
    std::promise<void> ended;
    std::promise<bool> followUpRan;
    thread->post([&] {
        endSignal.ended = &ended;
        thread->stop();
        // Follow-up work from the thread itself still runs while it drains.
        EXPECT_TRUE(thread->post([&] { followUpRan.set_value(true); }));
        thread.reset();
    });
    auto end = ended.get_future();
    ASSERT_EQ(end.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    auto followUp = followUpRan.get_future();
    ASSERT_EQ(followUp.wait_for(std::chrono::seconds(0)), std::future_status::ready);
    EXPECT_TRUE(followUp.get());
}

TEST(TaskThreadTest, StopRunsWhatIsDueAndRefusesLaterWork) {
    TaskThread thread("test-worker");
    int ran = 0;
    for (int i = 0; i < 3; ++i)
        thread.post([&ran] { ++ran; });
    bool delayedRan = false;
    thread.post([&delayedRan] { delayedRan = true; }, 60000);
    thread.stop();
    EXPECT_EQ(ran, 3);
    EXPECT_FALSE(delayedRan);
    EXPECT_FALSE(thread.post([] {}));
}

} // namespace
