#include "UiThread.h"

#include <future>
#include <utility>

#include <QApplication>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

namespace {

// The application object keeps references to argc and argv for its lifetime.
int applicationArgc = 1;
char applicationName[] = "plenfox-engine";
char* applicationArgv[] = {applicationName, nullptr};

} // namespace

UiThread::UiThread() = default;

UiThread::~UiThread() {
    if (thread_.joinable())
        thread_.join();
}

bool UiThread::start() {
    if (QCoreApplication::instance()) {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return false;
        auto* context = new QObject();
        qthread_ = QCoreApplication::instance()->thread();
        if (context->thread() != qthread_)
            context->moveToThread(qthread_);
        std::lock_guard guard(lock_);
        context_ = context;
        accepting_ = true;
        return true;
    }
    std::promise<void> ready;
    auto started = ready.get_future();
    ownsApplication_ = true;
    thread_ = std::thread([this, &ready] {
        // Shared contexts must be set before the application object exists.
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        QApplication application(applicationArgc, applicationArgv);
        application.setQuitOnLastWindowClosed(false);
        {
            std::lock_guard guard(lock_);
            context_ = new QObject();
            qthread_ = QThread::currentThread();
            accepting_ = true;
        }
        ready.set_value();
        runOwnApplication();
    });
    started.wait();
    return true;
}

void UiThread::runOwnApplication() {
    QCoreApplication::exec();
    // Work posted before the loop ended still runs.
    QCoreApplication::sendPostedEvents();
    std::lock_guard guard(lock_);
    delete context_;
    context_ = nullptr;
}

bool UiThread::post(std::function<void()> work, std::int64_t delayMs) {
    std::lock_guard guard(lock_);
    if (!accepting_ || !context_)
        return false;
    if (delayMs <= 0) {
        QMetaObject::invokeMethod(context_, std::move(work), Qt::QueuedConnection);
        return true;
    }
    // Timers belong to the thread that starts them: start it there.
    QObject* context = context_;
    QMetaObject::invokeMethod(
        context_,
        [context, delayMs, work = std::move(work)]() mutable {
            QTimer::singleShot(std::chrono::milliseconds(delayMs), context, std::move(work));
        },
        Qt::QueuedConnection);
    return true;
}

void UiThread::runAndWait(const std::function<void()>& work) {
    if (isCurrent()) {
        work();
        return;
    }
    std::promise<void> done;
    auto finished = done.get_future();
    const bool queued = post([&] {
        work();
        done.set_value();
    });
    if (queued)
        finished.wait();
}

bool UiThread::isCurrent() const {
    std::lock_guard guard(lock_);
    return qthread_ && QThread::currentThread() == qthread_;
}

void UiThread::stop(const std::function<void()>& lastWork) {
    // The last work runs behind everything already posted.
    if (isCurrent()) {
        QObject* context = nullptr;
        {
            std::lock_guard guard(lock_);
            context = context_;
        }
        if (context)
            QCoreApplication::sendPostedEvents(context, QEvent::MetaCall);
    }
    runAndWait([this, &lastWork] {
        lastWork();
        std::lock_guard guard(lock_);
        accepting_ = false;
    });
    if (ownsApplication_) {
        {
            std::lock_guard guard(lock_);
            if (context_)
                QMetaObject::invokeMethod(
                    context_, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
        }
        if (thread_.joinable() && std::this_thread::get_id() != thread_.get_id())
            thread_.join();
        return;
    }
    // Work posted while the last work ran (a browser closed from a handler)
    // runs now, and anything left is dropped at once: nothing queued outlives
    // the engine, holding its objects and the client's past the client's own
    // end. The context itself goes later: this may run inside its own event.
    QObject* context = nullptr;
    {
        std::lock_guard guard(lock_);
        context = std::exchange(context_, nullptr);
    }
    if (!context)
        return;
    const auto finish = [context] {
        QCoreApplication::sendPostedEvents(context, QEvent::MetaCall);
        QCoreApplication::removePostedEvents(context);
        context->deleteLater();
    };
    if (isCurrent())
        finish();
    else
        QMetaObject::invokeMethod(QCoreApplication::instance(), finish,
                                  Qt::BlockingQueuedConnection);
}
