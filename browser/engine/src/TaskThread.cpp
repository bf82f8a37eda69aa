#include "TaskThread.h"

#include <pthread.h>

TaskThread::TaskThread(const char* name) {
    thread_ = std::thread([this] { run(); });
    pthread_setname_np(thread_.native_handle(), name);
}

TaskThread::~TaskThread() {
    stop();
    if (thread_.joinable())
        thread_.detach();
}

bool TaskThread::post(std::function<void()> work, std::int64_t delayMs) {
    {
        std::lock_guard guard(lock_);
        // The thread itself may still queue follow-up work while it drains.
        if (stopping_ && std::this_thread::get_id() != thread_.get_id())
            return false;
        if (delayMs <= 0) {
            due_.push_back(std::move(work));
        } else {
            if (stopping_)
                return false;
            delayed_.emplace(Clock::now() + std::chrono::milliseconds(delayMs), std::move(work));
        }
    }
    wake_.notify_one();
    return true;
}

bool TaskThread::isCurrent() const {
    return std::this_thread::get_id() == thread_.get_id();
}

void TaskThread::stop() {
    {
        std::lock_guard guard(lock_);
        if (!thread_.joinable())
            return;
        stopping_ = true;
        delayed_.clear();
    }
    wake_.notify_one();
    // Stopping from inside a task only ends the loop after that task.
    if (!isCurrent())
        thread_.join();
}

void TaskThread::run() {
    std::unique_lock guard(lock_);
    for (;;) {
        while (!delayed_.empty() && delayed_.begin()->first <= Clock::now()) {
            due_.push_back(std::move(delayed_.begin()->second));
            delayed_.erase(delayed_.begin());
        }
        if (!due_.empty()) {
            auto work = std::move(due_.front());
            due_.pop_front();
            guard.unlock();
            work();
            guard.lock();
            continue;
        }
        if (stopping_)
            return;
        if (delayed_.empty())
            wake_.wait(guard);
        else
            wake_.wait_until(guard, delayed_.begin()->first);
    }
}
