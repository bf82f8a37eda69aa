#include "client/model/events/EventDispatcher.h"
#include "client/model/Client.h"
#include "lib/util/Error.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

using namespace plenfox::client::model;
using plenfox::test::TestEnvironment;

namespace {

class EventDispatcherTest : public ::testing::Test {
protected:
    EventDispatcherTest() : client(nullptr) { dispatcher.initialize(client); }
    ~EventDispatcherTest() override { dispatcher.shutdown(client); }

    void record(const QString& event) {
        std::lock_guard lock(mutex);
        events.push_back(event);
    }
    std::vector<QString> recorded() {
        std::lock_guard lock(mutex);
        return events;
    }

    TestEnvironment env;
    Client client;
    EventDispatcher dispatcher;
    std::mutex mutex;
    std::vector<QString> events;
};

TEST_F(EventDispatcherTest, DeliversEachThreadsEventsInPostingOrderOnOneThread) {
    std::set<std::thread::id> threads;
    std::vector<int> fromA, fromB;
    // The tasks run after the posting thread has ended: they capture its
    // values by copy and only long-lived objects by reference.
    auto poster = [&](std::vector<int>& sink, int base) {
        for (int i = 0; i < 200; ++i)
            dispatcher.invokeLater([this, &threads, &sink, value = base + i] {
                std::lock_guard lock(mutex);
                threads.insert(std::this_thread::get_id());
                sink.push_back(value);
            });
    };
    std::thread a(poster, std::ref(fromA), 0);
    std::thread b(poster, std::ref(fromB), 1000);
    a.join();
    b.join();
    dispatcher.sink();
    ASSERT_EQ(fromA.size(), 200u);
    ASSERT_EQ(fromB.size(), 200u);
    EXPECT_TRUE(std::is_sorted(fromA.begin(), fromA.end()));
    EXPECT_TRUE(std::is_sorted(fromB.begin(), fromB.end()));
    EXPECT_EQ(threads.size(), 1u);
    EXPECT_EQ(threads.count(std::this_thread::get_id()), 0u);
}

TEST_F(EventDispatcherTest, BlockHoldsEventsUntilSignalledAndSinkWaitsForThem) {
    auto block = dispatcher.createEventBlock();
    for (int i = 0; i < 3; ++i)
        dispatcher.invokeLater([this, i] { record(QString::number(i)); });
    auto sink = dispatcher.createEventSink();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(recorded().empty()) << "events ran while the block held the queue";
    EXPECT_FALSE(sink->isReleased());

    dispatcher.signalEventBlock(block);
    dispatcher.waitEventSink(sink);
    EXPECT_EQ(recorded(), (std::vector<QString>{"0", "1", "2"}));

    const QString blockName = block->toString().section(QLatin1Char('['), 0, 0);
    const auto wait = env.logIndexOf(QStringLiteral("wait block ") + blockName);
    const auto complete = env.logIndexOf(QStringLiteral("block complete ") + blockName);
    EXPECT_TRUE(
        env.logContains(EventDispatcher::Prefix + QStringLiteral(".create block ") + blockName));
    EXPECT_GE(wait, 0);
    EXPECT_GT(complete, wait);
    EXPECT_GT(env.logIndexOf(QStringLiteral("signal sink ")), complete);
}

TEST_F(EventDispatcherTest, ThrowingTaskIsLoggedCountedAndTheNextTaskStillRuns) {
    dispatcher.invokeLater(
        [] { throw plenfox::util::IllegalStateError(QStringLiteral("listener broke")); },
        QStringLiteral("failing task"));
    dispatcher.invokeLater([] { throw std::runtime_error("foreign"); });
    dispatcher.invokeLater([this] { record(QStringLiteral("after")); });
    dispatcher.sink();
    EXPECT_EQ(recorded(), std::vector<QString>{QStringLiteral("after")});
    EXPECT_EQ(env.app().getExceptionCount(), 2);
    EXPECT_TRUE(env.logContains(QStringLiteral("queuing runner failing task")));
    EXPECT_TRUE(
        env.logContains(QStringLiteral("Exception: [IllegalStateException: listener broke] [")));
    EXPECT_TRUE(env.logLines().contains(QStringLiteral("Exception: [foreign]")));
}

TEST_F(EventDispatcherTest, ShutdownRunsQueuedTasksAndThenRejectsNewOnes) {
    for (int i = 0; i < 5; ++i)
        dispatcher.invokeLater([this, i] {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            record(QString::number(i));
        });
    dispatcher.shutdown(client);
    EXPECT_EQ(recorded().size(), 5u);
    const auto flushing =
        env.logIndexOf(EventDispatcher::Prefix + QStringLiteral(".shutdown: Flushing event queue"));
    const auto terminated = env.logIndexOf(EventDispatcher::Prefix +
                                           QStringLiteral(".shutdown: Event queue terminated"));
    EXPECT_GE(flushing, 0);
    EXPECT_GT(terminated, flushing);
    EXPECT_THROW(dispatcher.invokeLater([] {}), plenfox::util::RejectedExecutionError);
}

TEST_F(EventDispatcherTest, ShutdownGivesUpWaitingAfterItsTimeOut) {
    auto block = dispatcher.createEventBlock();
    const auto start = std::chrono::steady_clock::now();
    dispatcher.shutdown(client);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, std::chrono::seconds(5));
    EXPECT_TRUE(env.logContains(QStringLiteral(".shutdown: Event queue terminated")));
    dispatcher.signalEventBlock(block); // lets the worker end
}

} // namespace
