#include "client/model/updates/UpdateManager.h"

#include "client/model/App.h"
#include "client/model/Client.h"
#include "client/model/ClientOptions.h"
#include "client/model/ClientRepository.h"
#include "client/model/Constants.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/downloads/DownloadItem.h"
#include "client/model/downloads/DownloadRecognizer.h"
#include "client/model/downloads/RecognizedItem.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"
#include "client/model/persistence/PersistenceHelper.h"
#include "client/model/updates/UpdateProtocol.h"
#include "client/model/updates/UpdateQuery.h"
#include "client/model/updates/UpdateResult.h"
#include "client/model/updates/UpdateSource.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"
#include "lib/util/TaskQueue.h"

#include <QDateTime>
#include <QHash>
#include <algorithm>
#include <latch>

namespace plenfox::client::model {

namespace {

qint64 systemClock() {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

UpdateManager::UpdateManager(std::shared_ptr<UpdateSource> source, Clock clock)
    : source(std::move(source)), clock(clock ? std::move(clock) : Clock(systemClock)) {
    if (!this->source)
        throw util::IllegalArgumentError(QStringLiteral("null update source"));
}

UpdateManager::~UpdateManager() {
    // The worker's tasks use this object: they end before it does.
    stopWorker();
}

bool UpdateManager::initialize(Client& owner) {
    client = &owner;
    {
        std::lock_guard guard(lock);
        updateExecutor = std::make_unique<util::TaskQueue>();
    }
    addonManager = owner.getAddonManager().get();
    if (addonManager)
        addonManager->add(AddonListenerPriority, this);
    dispatcher = owner.getEventDispatcher().get();
    ClientRepository* repository = owner.getClientRepository().get();
    persistence = std::make_unique<PersistenceHelper>(
        repository->getFileInRoot(Constants::UpdateBackingFileName),
        repository->getFileInRoot(Constants::UpdateBackingFileName + QStringLiteral(".tmp")),
        *this);
    if (ClientEventHandler* handler = owner.getEventHandler())
        if (UpdateListener* updateListener = handler->getUpdateListener())
            listener.add(0, updateListener);
    options = owner.getOptions();
    persistence->load();
    return true;
}

void UpdateManager::listenerReport() {
    App::log(Prefix + QStringLiteral(".listenerReport:"));
    listener.listenerReport();
}

void UpdateManager::shutdown(Client&) {
    util::TaskQueue* queue = nullptr;
    {
        std::lock_guard guard(lock);
        queue = updateExecutor.get();
    }
    if (queue) {
        queue->shutdown();
        // A query still waiting for the service would hold the close for its
        // whole time-out: it ends now, as a failed query.
        source->abort();
        App::log(Prefix + QStringLiteral(".shutdown: Flushing event queue"));
        const bool drained = queue->awaitTermination(shutdownTimeout);
        App::log(Prefix + QStringLiteral(".shutdown: Event queue terminated"));
        if (!drained)
            App::log(Prefix + QStringLiteral(".shutdown: a query is still running; "
                                             "storing the answer held so far"));
    }
    persistNow();
}

void UpdateManager::stopWorker() {
    std::unique_ptr<util::TaskQueue> queue;
    {
        std::lock_guard guard(lock);
        queue = std::move(updateExecutor);
    }
    // Queries that have not started by now are dropped, so leaving does not
    // wait for each of them in turn; destroying the queue joins the thread
    // once the running task ends. The tasks take the lock, so it must not be
    // held here.
    if (queue) {
        queue->shutdownNow();
        source->abort();
    }
    queue.reset();
}

void UpdateManager::sinkWorker() {
    auto reached = std::make_shared<std::latch>(1);
    {
        std::lock_guard guard(lock);
        if (!updateExecutor || updateExecutor->isShutdown())
            return;
        updateExecutor->post([reached] { reached->count_down(); });
    }
    reached->wait();
}

qint64 UpdateManager::now() const {
    return clock();
}

void UpdateManager::post(std::function<void()> task, const QString& description) {
    try {
        if (!dispatcher)
            throw util::IllegalStateError(QStringLiteral("update manager not initialized"));
        dispatcher->invokeLater(std::move(task), QStringLiteral("UpdateManager.") + description);
    } catch (const std::exception& error) {
        App::log(error);
    }
}

void UpdateManager::queueLocked(std::function<void()> work, const QString& description) {
    try {
        if (!updateExecutor)
            throw util::IllegalStateError(QStringLiteral("update worker not running"));
        ++queued;
        // An error must not end the worker thread: log it and go on.
        updateExecutor->post([work = std::move(work), description] {
            try {
                work();
            } catch (const std::exception& error) {
                App::log(error);
                App::log(Prefix + QLatin1Char('.') + description + QStringLiteral(": failed"));
            }
        });
    } catch (const std::exception& error) {
        App::log(error);
    }
}

// --- user-interface queries ---------------------------------------------

std::vector<AvailableUpdate> UpdateManager::getUpdates() const {
    std::lock_guard guard(lock);
    return availableUpdates;
}

std::optional<AvailableUpdate>
UpdateManager::getUpdate(const std::shared_ptr<wow::InstalledWowAddon>& addon) const {
    for (const AvailableUpdate& update : getUpdates())
        if (update.getInstalled() == addon)
            return update;
    return std::nullopt;
}

QString UpdateManager::getValue(const QString& tag) const {
    std::lock_guard guard(lock);
    return updates ? updates->getPairs().value(tag) : QString();
}

std::optional<qint64> UpdateManager::getLastUpdateTime() const {
    std::lock_guard guard(lock);
    return lastUpdateTime;
}

std::shared_ptr<const UpdateQuery> UpdateManager::getSavedQuery() const {
    std::lock_guard guard(lock);
    return savedQuery;
}

std::shared_ptr<const UpdateResult> UpdateManager::getStoredResult() const {
    std::lock_guard guard(lock);
    return updates;
}

void UpdateManager::updateAsync() {
    std::lock_guard guard(lock);
    queueLocked([this] { update(); }, QStringLiteral("update"));
}

void UpdateManager::updateEventsOnly() {
    processUpdates();
}

void UpdateManager::persistAsync() {
    post([this] { persistNow(); }, QStringLiteral("persist"));
}

void UpdateManager::persistNow() {
    std::lock_guard guard(persistLock);
    if (persistence)
        persistence->persist();
}

// --- addon events -------------------------------------------------------

void UpdateManager::addonRemoved(AddonManager& manager,
                                 const std::shared_ptr<wow::InstalledWowAddon>&) {
    refresh(manager.getAddons());
}

void UpdateManager::afterPackageInstalled(AddonManager&, const std::shared_ptr<AddonPackage>&) {
    updateAsync();
}

void UpdateManager::afterRefresh(AddonManager& manager) {
    refresh(manager.getAddons());
}

bool UpdateManager::isOutOfDate(std::optional<qint64> lastUpdateTime, qint64 now) {
    if (!lastUpdateTime)
        return true;
    // A time still to come was stored by a clock that ran ahead: stale.
    if (*lastUpdateTime > now)
        return true;
    // The difference of two 64-bit times may not fit a signed 64-bit value;
    // as an unsigned value it is exact.
    const quint64 age = static_cast<quint64>(now) - static_cast<quint64>(*lastUpdateTime);
    return age > static_cast<quint64>(Constants::UpdateDeltaMs);
}

bool UpdateManager::queryContains(const UpdateQuery& query, const wow::InstalledWowAddon& addon) {
    const QString name = addon.getName();
    for (const auto& package : query.getAddonPackages())
        for (const auto& entry : package->getAddons())
            if (entry->getName() == name)
                return true;
    for (const auto& entry : query.getLooseAddons())
        if (entry->getName() == name)
            return true;
    return false;
}

void UpdateManager::refresh(const std::vector<std::shared_ptr<wow::InstalledWowAddon>>& addons) {
    std::lock_guard guard(lock);
    if (isOutOfDate(lastUpdateTime, now())) {
        App::log(Prefix + QStringLiteral(".refresh: current results out of date"));
        queueLocked([this] { update(); }, QStringLiteral("update"));
        return;
    }
    if (savedQuery && !addons.empty()) {
        for (const auto& addon : addons) {
            if (!queryContains(*savedQuery, *addon)) {
                App::log(Prefix + QStringLiteral(".refresh: no results for addon [") +
                         addon->getName() + QLatin1Char(']'));
                queueLocked([this] { update(); }, QStringLiteral("update"));
                return;
            }
        }
    }
    queueLocked([this] { processUpdates(); }, QStringLiteral("processUpdates"));
}

// --- the exchange -------------------------------------------------------

std::shared_ptr<UpdateQuery> UpdateManager::buildQuery() {
    const auto addons = addonManager ? addonManager->getAddons()
                                     : std::vector<std::shared_ptr<wow::InstalledWowAddon>>();
    const auto recognizer = client ? client->getDownloadRecognizer() : nullptr;

    // Packages in the order their names are first seen.
    QStringList packageNames;
    QHash<QString, std::vector<std::shared_ptr<AddonMetadata>>> packageAddons;
    std::vector<std::shared_ptr<AddonMetadata>> loose;
    for (const auto& addon : addons) {
        const std::shared_ptr<RecognizedItem> recognized =
            recognizer ? recognizer->lookup(addon) : nullptr;
        const std::shared_ptr<DownloadItem> download = recognized ? recognized->getItem() : nullptr;
        if (download) {
            const QString packageName = util::pathText(download->getFile().filename());
            auto metadata = std::make_shared<AddonMetadata>(addon->getName(), packageName,
                                                            addon->getInternalVersion(), true,
                                                            recognized->getDocumentUrl());
            if (!packageAddons.contains(packageName))
                packageNames << packageName;
            packageAddons[packageName].push_back(std::move(metadata));
        } else {
            loose.push_back(std::make_shared<AddonMetadata>(
                addon->getName(), QString(), addon->getInternalVersion(), true, QString()));
        }
    }

    std::vector<std::shared_ptr<AddonPackageMetadata>> packages;
    for (const QString& packageName : packageNames) {
        const auto& members = packageAddons[packageName];
        packages.push_back(std::make_shared<AddonPackageMetadata>(
            members, members.front()->getDocumentUrl(), packageName));
    }

    TagTable pairs;
    pairs.insert(UpdateProtocol::TagClientVersion, Constants::VersionString);
    pairs.insert(UpdateProtocol::TagExpectedServerVersion, Constants::CurrentServerVersionString);
    pairs.insert(UpdateProtocol::TagWowInstalled, QStringLiteral("true"));
    pairs.insert(UpdateProtocol::TagWowVersion, QStringLiteral(""));
    return std::make_shared<UpdateQuery>(std::move(packages), std::move(loose), std::move(pairs));
}

void UpdateManager::update() {
    post([this] { listener.beforeQuery(*this); }, QStringLiteral("beforeQuery"));

    std::shared_ptr<UpdateQuery> query;
    std::shared_ptr<UpdateResult> result;
    try {
        App::log(Prefix + QStringLiteral(".update"));
        query = buildQuery();
        App::log(Prefix + QStringLiteral(".update: query with ") +
                 QString::number(query->getAddonPackages().size()) + QStringLiteral(" packages, ") +
                 QString::number(query->getLooseAddons().size()) +
                 QStringLiteral(" loose addons and ") + QString::number(query->getPairs().size()) +
                 QStringLiteral(" pairs"));
        if (!options || !options->getUpdatesEnabled()) {
            App::log(Prefix + QStringLiteral(".update: update information is disabled"));
        } else if (!query->getAddonPackages().empty() || !query->getLooseAddons().empty()) {
            result = source->queryUpdates(*query);
            if (result)
                App::log(Prefix + QStringLiteral(".update: query complete ") +
                         QString::number(result->getAddons().size()) + QStringLiteral(" addons; ") +
                         QString::number(result->getPairs().size()) + QStringLiteral(" pairs"));
            else
                App::log(Prefix + QStringLiteral(".update: query complete, null result"));
        } else {
            // Nothing to ask about: the empty answer is the right one.
            result = UpdateResult::createEmpty();
        }
    } catch (const std::exception& error) {
        App::log(error);
        App::log(Prefix + QStringLiteral(".update: failure to queryUpdates"));
        result = nullptr;
    }

    const bool successful = result != nullptr;
    post([this, successful] { listener.afterQuery(*this, successful); },
         QStringLiteral("afterQuery"));
    if (!result)
        return;
    {
        std::lock_guard guard(lock);
        lastUpdateTime = now();
        savedQuery = query;
        updates = result;
    }
    persistAsync();
    processUpdates();
}

void UpdateManager::processUpdates() {
    const auto addons = addonManager ? addonManager->getAddons()
                                     : std::vector<std::shared_ptr<wow::InstalledWowAddon>>();
    App::log(Prefix + QStringLiteral(".processUpdates"));
    std::shared_ptr<const UpdateResult> answer;
    {
        std::lock_guard guard(lock);
        answer = updates;
    }
    if (!answer) {
        App::log(Prefix + QStringLiteral(".processUpdates: no stored update information"));
        return;
    }
    App::log(Prefix + QStringLiteral(".processUpdates: ") + QString::number(addons.size()));
    post([this] { listener.beforeRefresh(*this); }, QStringLiteral("beforeRefresh"));

    std::vector<AvailableUpdate> found;
    for (const auto& entry : answer->getAddons()) {
        for (const auto& addon : addons) {
            if (addon->getName() != entry->getName())
                continue;
            // Any difference counts, newer or older; null is never equal.
            const QString installed = addon->getInternalVersion();
            const QString offered = entry->getVersion();
            if (installed.isNull() || offered.isNull() || installed != offered)
                found.emplace_back(addon, entry);
        }
    }

    App::log(Prefix + QStringLiteral(".processUpdates: ") + QString::number(found.size()) +
             QStringLiteral(" updates available."));
    {
        std::lock_guard guard(lock);
        availableUpdates = std::move(found);
    }
    post([this] { listener.afterRefresh(*this); }, QStringLiteral("afterRefresh"));
}

// --- persistence --------------------------------------------------------

void UpdateManager::load(ObjectReader& reader) {
    // Values of another type than expected leave the state empty; a record
    // of another type makes the reader throw, which the helper logs.
    if (reader.peekTag() != ObjectStreamTag::Timestamp) {
        App::log(Prefix + QStringLiteral(".load: stored values ignored, no update time"));
        return;
    }
    const std::optional<QDateTime> time = reader.readTimestamp();
    if (reader.peekTag() != ObjectStreamTag::Record) {
        App::log(Prefix + QStringLiteral(".load: stored values ignored, no query"));
        return;
    }
    std::shared_ptr<UpdateQuery> query = reader.readObject<UpdateQuery>();
    if (reader.peekTag() != ObjectStreamTag::Record) {
        App::log(Prefix + QStringLiteral(".load: stored values ignored, no answer"));
        return;
    }
    std::shared_ptr<UpdateResult> result = reader.readObject<UpdateResult>();
    if (!time || !time->isValid() || !query || !result)
        return;
    result = readDownloadUrls(reader, std::move(result));
    std::lock_guard guard(lock);
    lastUpdateTime = time->toMSecsSinceEpoch();
    savedQuery = std::move(query);
    updates = std::move(result);
}

void UpdateManager::loadEmpty() {
    std::lock_guard guard(lock);
    lastUpdateTime.reset();
    savedQuery.reset();
    updates.reset();
}

bool UpdateManager::needsPersist() {
    std::lock_guard guard(lock);
    return updates != nullptr;
}

void UpdateManager::persist(ObjectWriter& writer) {
    std::optional<qint64> time;
    std::shared_ptr<const UpdateQuery> query;
    std::shared_ptr<const UpdateResult> result;
    {
        std::lock_guard guard(lock);
        time = lastUpdateTime;
        query = savedQuery;
        result = updates;
    }
    writer.writeTimestamp(
        time ? std::optional<QDateTime>(QDateTime::fromMSecsSinceEpoch(*time, Qt::UTC))
             : std::nullopt);
    writer.writeObject(query);
    writer.writeObject(result);
    writeDownloadUrls(writer, result);
}

// The answer's download addresses follow its three values, one per answer
// entry in the answer's order (null for none). Clients that read only the
// three values ignore them; a file written before them lacks them, and an
// answer without any address is written as before.
void UpdateManager::writeDownloadUrls(ObjectWriter& writer,
                                      const std::shared_ptr<const UpdateResult>& result) {
    if (!result)
        return;
    const auto& addons = result->getAddons();
    if (std::none_of(addons.begin(), addons.end(),
                     [](const auto& addon) { return !addon->getDownloadUrl().isEmpty(); }))
        return;
    writer.beginList(static_cast<qint32>(addons.size()));
    for (const auto& addon : addons)
        writer.writeString(addon->getDownloadUrl());
}

std::shared_ptr<UpdateResult> UpdateManager::readDownloadUrls(ObjectReader& reader,
                                                              std::shared_ptr<UpdateResult> result) {
    if (reader.atEnd() || reader.peekTag() != ObjectStreamTag::List)
        return result;
    const qint32 count = reader.beginList();
    QStringList urls;
    for (qint32 i = 0; i < count; ++i)
        urls << reader.readString();
    const auto& addons = result->getAddons();
    if (urls.size() != static_cast<qsizetype>(addons.size())) {
        App::log(Prefix + QStringLiteral(".load: download addresses ignored, they do not match "
                                         "the answer"));
        return result;
    }
    std::vector<std::shared_ptr<AddonMetadata>> withUrls;
    withUrls.reserve(addons.size());
    for (std::size_t i = 0; i < addons.size(); ++i)
        withUrls.push_back(addons[i]->withDownloadUrl(urls[static_cast<qsizetype>(i)]));
    return std::make_shared<UpdateResult>(std::move(withUrls), result->getPairs());
}

} // namespace plenfox::client::model
