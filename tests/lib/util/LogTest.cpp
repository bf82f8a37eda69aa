#include "lib/util/Log.h"
#include "lib/util/Error.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

using plenfox::util::Log;

namespace {

class RecordingSink final : public Log::Sink {
public:
    void message(const QString& line) override { lines.append(line); }
    void exception(const std::exception& error) override {
        lines.append(QStringLiteral("exception: ") + QString::fromLocal8Bit(error.what()));
        ownErrors += dynamic_cast<const plenfox::util::Error*>(&error) != nullptr;
    }

    QStringList lines;
    int ownErrors = 0;
};

// Removes the sink however the test ends, so no later test writes into it.
struct Installed {
    explicit Installed(Log::Sink& sink) : sink(sink) { Log::install(sink); }
    ~Installed() { Log::remove(sink); }
    Log::Sink& sink;
};

TEST(LogTest, LinesAndErrorsReachTheInstalledSinkOnlyWhileItIsInstalled) {
    Log::message(QStringLiteral("before any sink"));
    RecordingSink first;
    RecordingSink second;
    {
        Installed installed(first);
        Log::message(QStringLiteral("one"));
        // The error arrives as itself, not as a copy cut down to std::exception.
        Log::exception(plenfox::util::IoError(QStringLiteral("disk")));
        Log::install(second);
        Log::message(QStringLiteral("two"));
        // Removing a sink that is not installed leaves the installed one.
        Log::remove(first);
        Log::message(QStringLiteral("three"));
        Log::remove(second);
        Log::message(QStringLiteral("four"));
    }
    EXPECT_EQ(first.lines,
              QStringList({QStringLiteral("one"), QStringLiteral("exception: IOException: disk")}));
    EXPECT_EQ(first.ownErrors, 1);
    EXPECT_EQ(second.lines, QStringList({QStringLiteral("two"), QStringLiteral("three")}));
}

// A sink whose first line blocks until it is released.
class BlockingSink final : public Log::Sink {
public:
    void message(const QString&) override {
        std::unique_lock lock(mutex);
        entered = true;
        changed.notify_all();
        changed.wait(lock, [this] { return released; });
    }
    void exception(const std::exception&) override {}

    void waitUntilEntered() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return entered; });
    }
    void release() {
        std::lock_guard lock(mutex);
        released = true;
        changed.notify_all();
    }

private:
    std::mutex mutex;
    std::condition_variable changed;
    bool entered = false;
    bool released = false;
};

TEST(LogTest, RemovingWaitsForTheCallsUnderWaySoTheSinkMayGoAfterwards) {
    BlockingSink sink;
    Log::install(sink);
    std::thread writer([] { Log::message(QStringLiteral("slow")); });
    sink.waitUntilEntered();
    std::atomic<bool> removed = false;
    std::thread remover([&] {
        Log::remove(sink);
        removed = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(removed) << "the sink was removed while a line was still being written";
    sink.release();
    writer.join();
    remover.join();
    EXPECT_TRUE(removed);
    Log::message(QStringLiteral("nowhere"));
}

} // namespace
