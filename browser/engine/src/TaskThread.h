#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

// One worker thread running posted work in order; work may be delayed. Used
// for the engine's IO and FILE threads.
class TaskThread {
public:
    explicit TaskThread(const char* name);
    ~TaskThread();
    TaskThread(const TaskThread&) = delete;
    TaskThread& operator=(const TaskThread&) = delete;

    // False once stop() has begun.
    bool post(std::function<void()> work, std::int64_t delayMs = 0);
    bool isCurrent() const;
    // Runs the work already due, drops delayed work not yet due, and joins
    // the thread. Work posted from the thread itself while it drains still
    // runs when due at once.
    void stop();

private:
    using Clock = std::chrono::steady_clock;
    void run();

    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> due_;
    std::multimap<Clock::time_point, std::function<void()>> delayed_;
    bool stopping_ = false;
    std::thread thread_;
};
