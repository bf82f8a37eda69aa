#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace plenfox::util {

// A FIFO task queue served by exactly one worker thread. Tasks run one after
// another in the order they were posted. After shutdown() no task is accepted
// (post throws RejectedExecutionError); queued tasks still run.
class TaskQueue {
public:
    using Task = std::function<void()>;

    TaskQueue();
    ~TaskQueue(); // shuts down and waits for the queued tasks
    TaskQueue(const TaskQueue&) = delete;
    TaskQueue& operator=(const TaskQueue&) = delete;

    void post(Task task);
    void shutdown();
    // Like shutdown, and drops the tasks that have not started yet.
    void shutdownNow();
    // Waits until every queued task has run after shutdown(); true when the
    // queue drained within the time-out.
    bool awaitTermination(std::chrono::milliseconds timeout);
    bool isShutdown() const;
    // Waits for the worker thread to end after shutdown (not on that thread).
    void join();
    // Whether the calling thread is this queue's worker.
    bool isWorkerThread() const;

private:
    void run();

    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<Task> tasks;
    bool accepting = true;
    bool terminated = false;
    // Set by the worker itself, so isWorkerThread never reads the thread
    // object that join() changes.
    std::thread::id workerId;
    std::thread worker;
    std::once_flag joined;
};

} // namespace plenfox::util
