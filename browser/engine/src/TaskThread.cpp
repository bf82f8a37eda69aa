#include "TaskThread.h"

#include <pthread.h>

TaskThread::TaskThread(const char* name) {
    thread_ = std::thread([queue = queue_] { run(queue); });
    queue_->id = thread_.get_id();
    pthread_setname_np(thread_.native_handle(), name);
}

TaskThread::~TaskThread() {
    stop();
    if (thread_.joinable())
        thread_.detach();
}

bool TaskThread::post(std::function<void()> work, std::int64_t delayMs) {
    Queue& queue = *queue_;
    {
        std::lock_guard guard(queue.lock);
        // The thread itself may still queue follow-up work while it drains.
        if (queue.stopping && !isCurrent())
            return false;
        if (delayMs <= 0) {
            queue.due.push_back(std::move(work));
        } else {
            if (queue.stopping)
                return false;
            queue.delayed.emplace(Clock::now() + std::chrono::milliseconds(delayMs),
                                  std::move(work));
        }
    }
    queue.wake.notify_one();
    return true;
}

bool TaskThread::isCurrent() const {
    return std::this_thread::get_id() == queue_->id;
}

void TaskThread::stop() {
    {
        std::lock_guard guard(queue_->lock);
        if (!thread_.joinable())
            return;
        queue_->stopping = true;
        queue_->delayed.clear();
    }
    queue_->wake.notify_one();
    // Stopping from inside a task only ends the loop after that task; the
    // thread is then left to end on its own.
    if (isCurrent())
        thread_.detach();
    else
        thread_.join();
}

void TaskThread::run(const std::shared_ptr<Queue>& queue) {
    std::unique_lock guard(queue->lock);
    for (;;) {
        while (!queue->delayed.empty() && queue->delayed.begin()->first <= Clock::now()) {
            queue->due.push_back(std::move(queue->delayed.begin()->second));
            queue->delayed.erase(queue->delayed.begin());
        }
        if (!queue->due.empty()) {
            auto work = std::move(queue->due.front());
            queue->due.pop_front();
            guard.unlock();
            work();
            work = nullptr; // What the work held goes while the thread still runs it.
            guard.lock();
            continue;
        }
        if (queue->stopping)
            return;
        if (queue->delayed.empty())
            queue->wake.wait(guard);
        else
            queue->wake.wait_until(guard, queue->delayed.begin()->first);
    }
}
