#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
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
    // runs when due at once. Stopped from inside its own work, the thread
    // ends after that work, on its own: it may outlive this object.
    void stop();

private:
    using Clock = std::chrono::steady_clock;
    // What the thread works on; shared with the thread, so that a thread
    // left to end on its own never touches a destroyed object.
    struct Queue {
        std::mutex lock;
        std::condition_variable wake;
        std::deque<std::function<void()>> due;
        std::multimap<Clock::time_point, std::function<void()>> delayed;
        bool stopping = false;
        std::thread::id id;
    };
    static void run(const std::shared_ptr<Queue>& queue);

    std::shared_ptr<Queue> queue_ = std::make_shared<Queue>();
    std::thread thread_;
};
