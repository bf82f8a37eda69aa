#pragma once

#include "client/model/ClientComponent.h"
#include "client/model/events/EventLatch.h"
#include "lib/util/TaskQueue.h"

#include <QString>
#include <atomic>
#include <functional>
#include <memory>

namespace plenfox::client::model {

// Delivers every component event on one thread, in posting order. Listeners
// therefore never run on the thread that did the work.
class EventDispatcher : public ClientComponent {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.EventDispatcher");

    using Task = std::function<void()>;

    ~EventDispatcher() override;

    bool initialize(Client& client) override;
    void listenerReport() override;
    void shutdown(Client& client) override;

    // Queues a task; an error it raises is logged and the next task runs.
    // The description names the task in the log. Throws RejectedExecutionError
    // after shutdown and IllegalStateError before initialize.
    void invokeLater(Task task, const QString& description = QString());

    // Holds the queue back until signalEventBlock is called with the latch.
    std::shared_ptr<EventLatch> createEventBlock();
    void signalEventBlock(const std::shared_ptr<EventLatch>& block);
    // Queues a marker; waitEventSink returns once everything before it ran.
    std::shared_ptr<EventLatch> createEventSink();
    void waitEventSink(const std::shared_ptr<EventLatch>& sink);
    // Waits until every task queued so far has run. Not on the dispatcher thread.
    void sink();

    bool isDispatcherThread() const;
    // How many tasks invokeLater has accepted so far; markers of blocks and
    // sinks are not counted. Lets a caller tell whether work was added.
    quint64 getPostedCount() const { return posted.load(); }
    // Stops taking tasks and waits, without a time limit, until the queued
    // ones have run and the dispatcher thread has ended. Not on that thread.
    void stop();

private:
    void enqueue(Task task);

    // Owns the queue; set once by initialize, on the initializing thread.
    std::unique_ptr<util::TaskQueue> executor;
    // The queue as other threads see it (null before initialize).
    std::atomic<util::TaskQueue*> running{nullptr};
    std::atomic<quint64> posted{0};
};

} // namespace plenfox::client::model
