#include "client/model/events/EventDispatcher.h"

#include "client/model/App.h"
#include "lib/util/Error.h"

#include <chrono>

namespace plenfox::client::model {

namespace {
constexpr std::chrono::seconds ShutdownTimeout{1};
}

EventDispatcher::~EventDispatcher() = default;

bool EventDispatcher::initialize(Client&) {
    executor = std::make_unique<util::TaskQueue>();
    // Other threads find the queue through `running` only: it is published
    // once the queue is complete.
    running.store(executor.get(), std::memory_order_release);
    return true;
}

void EventDispatcher::listenerReport() {
    App::log(Prefix + QStringLiteral(".listenerReport: <NONE>"));
}

void EventDispatcher::invokeLater(Task task, const QString& description) {
    if (!task) {
        App::log(QStringLiteral("queuing runner null"));
        throw util::IllegalArgumentError(QStringLiteral("null task"));
    }
    const QString name =
        description.isEmpty() ? util::Object::defaultText(&task, typeid(Task).name()) : description;
    App::log(QStringLiteral("queuing runner ") + name);
    ++posted;
    enqueue([task = std::move(task)] {
        try {
            task();
        } catch (const std::exception& error) {
            App::log(error);
        } catch (...) {
            App::log(util::Error(QStringLiteral("UnknownError"),
                                 QStringLiteral("non-standard exception")));
        }
    });
}

void EventDispatcher::enqueue(Task task) {
    util::TaskQueue* queue = running.load(std::memory_order_acquire);
    if (!queue)
        throw util::IllegalStateError(QStringLiteral("event dispatcher not initialized"));
    queue->post(std::move(task));
}

std::shared_ptr<EventLatch> EventDispatcher::createEventBlock() {
    auto block = std::make_shared<EventLatch>();
    App::log(Prefix + QStringLiteral(".create block ") + block->toString());
    enqueue([block] {
        App::log(QStringLiteral("wait block ") + block->toString());
        block->await();
        App::log(QStringLiteral("block complete ") + block->toString());
    });
    return block;
}

void EventDispatcher::signalEventBlock(const std::shared_ptr<EventLatch>& block) {
    block->countDown();
}

std::shared_ptr<EventLatch> EventDispatcher::createEventSink() {
    auto sink = std::make_shared<EventLatch>();
    App::log(Prefix + QStringLiteral(".create sink ") + sink->toString());
    enqueue([sink] {
        App::log(QStringLiteral("signal sink ") + sink->toString());
        sink->countDown();
    });
    return sink;
}

void EventDispatcher::waitEventSink(const std::shared_ptr<EventLatch>& sink) {
    App::log(Prefix + QStringLiteral(".wait sink ") + sink->toString());
    sink->await();
}

void EventDispatcher::sink() {
    waitEventSink(createEventSink());
}

bool EventDispatcher::isDispatcherThread() const {
    const util::TaskQueue* queue = running.load(std::memory_order_acquire);
    return queue && queue->isWorkerThread();
}

void EventDispatcher::stop() {
    util::TaskQueue* queue = running.load(std::memory_order_acquire);
    if (!queue)
        return;
    queue->shutdown();
    if (queue->isWorkerThread()) {
        App::log(Prefix + QStringLiteral(".stop: called on the dispatcher thread; not waiting"));
        return;
    }
    while (!queue->awaitTermination(ShutdownTimeout)) {
    }
    queue->join();
}

void EventDispatcher::shutdown(Client&) {
    util::TaskQueue* queue = running.load(std::memory_order_acquire);
    if (!queue)
        return;
    queue->shutdown();
    App::log(Prefix + QStringLiteral(".shutdown: Flushing event queue"));
    queue->awaitTermination(ShutdownTimeout);
    App::log(Prefix + QStringLiteral(".shutdown: Event queue terminated"));
}

} // namespace plenfox::client::model
