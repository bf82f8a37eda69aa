#include "client/model/BackgroundTasks.h"

#include "client/model/App.h"

#include <exception>

namespace plenfox::client::model {

BackgroundTasks::~BackgroundTasks() {
    joinAll();
}

void BackgroundTasks::run(const QString& name, std::function<void()> work) {
    std::lock_guard guard(lock);
    threads.emplace_back([name, work = std::move(work)] {
        try {
            work();
        } catch (const std::exception& error) {
            App::log(error);
            App::log(QStringLiteral("Background task failed: ") + name);
        }
    });
}

void BackgroundTasks::joinAll() {
    for (;;) {
        std::vector<std::thread> running;
        {
            std::lock_guard guard(lock);
            running.swap(threads);
        }
        if (running.empty())
            return;
        // A task may start another one; loop until none is left.
        for (std::thread& thread : running)
            if (thread.joinable())
                thread.join();
    }
}

} // namespace plenfox::client::model
