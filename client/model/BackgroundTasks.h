#pragma once

#include <QString>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace plenfox::client::model {

// Runs slow work (installs, removals, refreshes, bug reports) on short-lived
// threads of its own, so the GUI thread never waits on the disk. Errors are
// logged. joinAll waits for every thread started so far; the client's
// lifecycle calls it before the client shuts down.
class BackgroundTasks {
public:
    BackgroundTasks() = default;
    ~BackgroundTasks();
    BackgroundTasks(const BackgroundTasks&) = delete;
    BackgroundTasks& operator=(const BackgroundTasks&) = delete;

    void run(const QString& name, std::function<void()> work);
    void joinAll();

private:
    std::mutex lock;
    std::vector<std::thread> threads;
};

} // namespace plenfox::client::model
