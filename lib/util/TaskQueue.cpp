#include "lib/util/TaskQueue.h"

#include "lib/util/Error.h"

namespace plenfox::util {

TaskQueue::TaskQueue() : worker([this] { run(); }) {}

TaskQueue::~TaskQueue() {
    shutdown();
    if (isWorkerThread()) {
        std::call_once(joined, [this] { worker.detach(); });
        return;
    }
    join();
}

void TaskQueue::join() {
    std::call_once(joined, [this] {
        if (worker.joinable())
            worker.join();
    });
}

void TaskQueue::post(Task task) {
    {
        std::lock_guard lock(mutex);
        if (!accepting)
            throw RejectedExecutionError(QStringLiteral("task queue is shut down"));
        tasks.push_back(std::move(task));
    }
    changed.notify_all();
}

void TaskQueue::shutdown() {
    {
        std::lock_guard lock(mutex);
        accepting = false;
    }
    changed.notify_all();
}

void TaskQueue::shutdownNow() {
    {
        std::lock_guard lock(mutex);
        accepting = false;
        tasks.clear();
    }
    changed.notify_all();
}

bool TaskQueue::awaitTermination(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, timeout, [this] { return terminated; });
}

bool TaskQueue::isShutdown() const {
    std::lock_guard lock(mutex);
    return !accepting;
}

bool TaskQueue::isWorkerThread() const {
    std::lock_guard lock(mutex);
    return std::this_thread::get_id() == workerId;
}

void TaskQueue::run() {
    {
        std::lock_guard lock(mutex);
        workerId = std::this_thread::get_id();
    }
    for (;;) {
        Task task;
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [this] { return !tasks.empty() || !accepting; });
            if (tasks.empty()) {
                terminated = true;
                changed.notify_all();
                return;
            }
            task = std::move(tasks.front());
            tasks.pop_front();
        }
        // The owner wraps tasks so they never throw; a stray error must not
        // take the worker thread down.
        try {
            task();
        } catch (...) {
        }
    }
}

} // namespace plenfox::util
