#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include <QPointer>

class QObject;
class QThread;

// The engine's UI thread. When the process has a QApplication it is that
// application's GUI thread; otherwise the engine starts a thread of its own
// that creates the application object and runs its event loop.
class UiThread {
public:
    UiThread();
    ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    // Adopts the running application's GUI thread, or starts a thread owning
    // a new application when there is none. False when no GUI application can
    // be had (for example a non-GUI QCoreApplication exists).
    bool start();
    // Whether the engine created the application object itself.
    bool ownsApplication() const { return ownsApplication_; }

    // Queues work on the thread, after delayMs when positive. False once the
    // thread is stopping.
    bool post(std::function<void()> work, std::int64_t delayMs = 0);
    // Runs work on the thread and waits for it (directly when already there).
    void runAndWait(const std::function<void()>& work);
    bool isCurrent() const;
    // Runs the work already posted, then ends the event loop and the
    // application when the engine owns them.
    void stop(const std::function<void()>& lastWork);

private:
    void runOwnApplication();

    mutable std::mutex lock_;
    bool accepting_ = false;
    bool ownsApplication_ = false;
    QObject* context_ = nullptr;
    QThread* qthread_ = nullptr;
    std::thread thread_;
};
