#pragma once

#include "client/model/ClientComponent.h"
#include "client/model/addons/AddonChangeListener.h"
#include "client/model/persistence/PersistenceClient.h"
#include "client/model/updates/AvailableUpdate.h"
#include "client/model/updates/UpdateListenerMultiplexer.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace plenfox::util {
class TaskQueue;
}

namespace plenfox::client::wow {
class InstalledWowAddon;
}

namespace plenfox::client::model {

class AddonManager;
class ClientOptions;
class EventDispatcher;
class PersistenceHelper;
class UpdateQuery;
class UpdateResult;
class UpdateSource;

// Keeps the update service's answer fresh and derives from it the available
// updates: installed addons for which the service names another version.
//
// After every addon refresh or removal it checks whether the stored answer
// is younger than four hours and mentions every installed addon; if not, it
// asks the service again, on a worker thread of its own, and only while the
// user allows queries. The time, query and answer of the last successful
// exchange are kept in "Updates.dat", so a restart within four hours sends
// nothing. Listeners hear of queries and recomputations through the event
// dispatcher.
class UpdateManager : public ClientComponent, public AddonChangeListener, public PersistenceClient {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.UpdateManager");
    // Hears addon events before the main window's listeners (priority 0).
    static constexpr int AddonListenerPriority = -1;

    // Milliseconds since 1970-01-01 UTC.
    using Clock = std::function<qint64()>;

    // Asks the given source; the clock defaults to the system clock. Throws
    // IllegalArgumentError for a null source.
    explicit UpdateManager(std::shared_ptr<UpdateSource> source, Clock clock = {});
    ~UpdateManager() override;
    UpdateManager(const UpdateManager&) = delete;
    UpdateManager& operator=(const UpdateManager&) = delete;

    // Starts the worker, registers with the addon manager and loads "Updates.dat".
    bool initialize(Client& client) override;
    void listenerReport() override;
    // Stops taking work, waits for the worker at most getShutdownTimeout(),
    // then writes "Updates.dat".
    void shutdown(Client& client) override;

    // A copy of the current available updates.
    std::vector<AvailableUpdate> getUpdates() const;
    // The first available update whose installed addon is this very record.
    std::optional<AvailableUpdate>
    getUpdate(const std::shared_ptr<wow::InstalledWowAddon>& addon) const;
    // The stored answer's value for the tag; null when there is no answer
    // or the answer has no such tag.
    QString getValue(const QString& tag) const;
    // Queues a query, whatever the age of the stored answer.
    void updateAsync();
    // Recomputes the available updates from the stored answer on the calling
    // thread, with the refresh events. Without a stored answer there is
    // nothing to compare against: it only logs that and sends no event.
    void updateEventsOnly();
    // Writes "Updates.dat" on the event dispatcher's thread.
    void persistAsync();

    // The stored exchange (null / empty when there is none).
    std::optional<qint64> getLastUpdateTime() const;
    std::shared_ptr<const UpdateQuery> getSavedQuery() const;
    std::shared_ptr<const UpdateResult> getStoredResult() const;

    // Waits until every task queued on the worker so far has run. Not on the
    // worker thread; returns at once when the worker is stopped.
    void sinkWorker();
    // Ends the worker thread after the tasks already queued (no time limit).
    // The owner calls it before the event dispatcher goes away, since the
    // worker posts events to it.
    void stopWorker();
    // How many pieces of work were queued on the worker so far.
    quint64 getQueuedCount() const { return queued.load(); }

    std::chrono::milliseconds getShutdownTimeout() const { return shutdownTimeout; }
    void setShutdownTimeout(std::chrono::milliseconds timeout) { shutdownTimeout = timeout; }

    // Addon change events.
    void addonInstalled(AddonManager&, const std::shared_ptr<wow::InstalledWowAddon>&) override {}
    void addonRemoved(AddonManager& manager,
                      const std::shared_ptr<wow::InstalledWowAddon>& addon) override;
    void afterPackageInstalled(AddonManager& manager,
                               const std::shared_ptr<AddonPackage>& package) override;
    void afterRefresh(AddonManager& manager) override;
    void beforePackageInstalled(AddonManager&, const std::shared_ptr<AddonPackage>&) override {}
    void beforeRefresh(AddonManager&) override {}

    // Persistence of the stored exchange.
    void load(ObjectReader& reader) override;
    void loadEmpty() override;
    bool needsPersist() override;
    void persist(ObjectWriter& writer) override;

    // Whether an answer received at lastUpdateTime is older than four hours
    // at now. Exactly four hours is still fresh; a time in the future is stale.
    static bool isOutOfDate(std::optional<qint64> lastUpdateTime, qint64 now);
    // Whether the query names an addon of that name (exact, case-sensitive),
    // in a package or loose. Versions are not compared.
    static bool queryContains(const UpdateQuery& query, const wow::InstalledWowAddon& addon);

private:
    // Decides, on the thread of the addon event, whether to query again or
    // only to recompute.
    void refresh(const std::vector<std::shared_ptr<wow::InstalledWowAddon>>& addons);
    std::shared_ptr<UpdateQuery> buildQuery();
    void update();
    void processUpdates();
    // Writes "Updates.dat" now; two writes never overlap.
    void persistNow();
    static void writeDownloadUrls(ObjectWriter& writer,
                                  const std::shared_ptr<const UpdateResult>& result);
    // The result with the download addresses stored after it, when there are
    // any that fit it.
    static std::shared_ptr<UpdateResult> readDownloadUrls(ObjectReader& reader,
                                                          std::shared_ptr<UpdateResult> result);

    // Queues work on the worker; a stopped worker is logged. Lock held.
    void queueLocked(std::function<void()> work, const QString& description);
    // Hands an event to the dispatcher; a dispatcher that refuses it is logged.
    void post(std::function<void()> task, const QString& description);
    qint64 now() const;

    std::shared_ptr<UpdateSource> source;
    Clock clock;
    std::chrono::milliseconds shutdownTimeout{std::chrono::seconds(10)};

    AddonManager* addonManager = nullptr;
    Client* client = nullptr;
    EventDispatcher* dispatcher = nullptr;
    std::shared_ptr<ClientOptions> options;
    UpdateListenerMultiplexer listener;
    std::unique_ptr<PersistenceHelper> persistence;
    // Held while "Updates.dat" is written: the shutdown's write and one
    // queued on the dispatcher may otherwise run at the same time.
    std::mutex persistLock;

    // Guards the four stored values and the worker pointer.
    mutable std::mutex lock;
    std::optional<qint64> lastUpdateTime;
    std::shared_ptr<const UpdateQuery> savedQuery;
    std::shared_ptr<const UpdateResult> updates;
    std::vector<AvailableUpdate> availableUpdates;
    std::unique_ptr<util::TaskQueue> updateExecutor;
    std::atomic<quint64> queued{0};
};

} // namespace plenfox::client::model
