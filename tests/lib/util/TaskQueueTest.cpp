#include "lib/util/TaskQueue.h"
#include "lib/util/Error.h"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>

namespace {

TEST(TaskQueueTest, ShutdownNowDropsTheTasksThatHaveNotStarted) {
    std::latch started(1);
    std::latch release(1);
    std::atomic<int> ran{0};
    {
        plenfox::util::TaskQueue queue;
        queue.post([&] {
            started.count_down();
            release.wait();
            ++ran;
        });
        for (int i = 0; i < 3; ++i)
            queue.post([&] { ++ran; });
        started.wait();
        queue.shutdownNow();
        EXPECT_THROW(queue.post([] {}), plenfox::util::RejectedExecutionError);
        release.count_down();
    } // the destructor waits for the running task only
    EXPECT_EQ(ran.load(), 1);
}

} // namespace
