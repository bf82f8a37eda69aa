#include "client/model/downloads/DownloadSourceManager.h"

#include "client/model/App.h"
#include "client/model/Client.h"
#include "client/model/ClientRepository.h"
#include "client/model/Constants.h"
#include "client/model/downloads/DownloadItem.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/downloads/UrlFilter.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"
#include "client/model/persistence/PersistenceHelper.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

#include <QSet>

namespace plenfox::client::model {

namespace {

QString normalize(const QString& url) {
    return UrlFilter::filter(url, Constants::AddonSiteUrlPrefix);
}

} // namespace

DownloadSourceManager::DownloadSourceManager() = default;
DownloadSourceManager::~DownloadSourceManager() = default;

bool DownloadSourceManager::initialize(Client& owner) {
    client = &owner;
    dispatcher = owner.getEventDispatcher().get();
    ClientRepository* repository = owner.getClientRepository().get();
    persistence = std::make_unique<PersistenceHelper>(
        repository->getFileInRoot(Constants::SourceBackingFileName),
        repository->getFileInRoot(Constants::SourceBackingFileName + QStringLiteral(".tmp")),
        *this);
    persistence->load();
    return true;
}

void DownloadSourceManager::listenerReport() {
    App::log(Prefix + QStringLiteral(".listenerReport: <NONE>"));
}

void DownloadSourceManager::shutdown(Client&) {
    persist();
}

QString DownloadSourceManager::keyOf(const DownloadItem& item) {
    return util::pathText(item.getFile().filename());
}

QString DownloadSourceManager::get(const DownloadItem& item) const {
    std::lock_guard guard(storeLock);
    return normalize(store.value(keyOf(item)));
}

void DownloadSourceManager::put(const DownloadItem& item, const QString& url) {
    std::lock_guard guard(storeLock);
    if (url.isNull())
        store.remove(keyOf(item));
    else
        store.insert(keyOf(item), normalize(url));
}

void DownloadSourceManager::invalidate(const DownloadItem& item) {
    std::lock_guard guard(storeLock);
    store.remove(keyOf(item));
}

namespace {

// A copy with storage of its own. A shared copy read on one thread while the
// table changes on another relies on the unordered reference count of the
// implicitly shared map; an own copy shares nothing but the texts.
QMap<QString, QString> ownCopy(const QMap<QString, QString>& map) {
    QMap<QString, QString> copy;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        copy.insert(it.key(), it.value());
    return copy;
}

} // namespace

QMap<QString, QString> DownloadSourceManager::entries() const {
    std::lock_guard guard(storeLock);
    return ownCopy(store);
}

void DownloadSourceManager::persist() {
    std::lock_guard guard(lock);
    if (persistence)
        persistence->persist();
}

void DownloadSourceManager::persistAsync() {
    try {
        if (!dispatcher)
            throw util::IllegalStateError(
                QStringLiteral("download source manager not initialized"));
        dispatcher->invokeLater([this] { persist(); },
                                QStringLiteral("DownloadSourceManager.persist"));
    } catch (const std::exception& error) {
        App::log(error);
    }
}

void DownloadSourceManager::load(ObjectReader& reader) {
    // A table holding anything but text makes the reader throw; the helper
    // logs that and the table stays empty.
    QMap<QString, QString> loaded = reader.readStringMap();
    {
        std::lock_guard guard(storeLock);
        tableOnDisk = true;
    }
    if (!validateLoad(loaded)) {
        App::log(Prefix + QStringLiteral(".load: stored table rejected, it holds a null entry"));
        return;
    }
    std::lock_guard guard(storeLock);
    store = std::move(loaded);
}

void DownloadSourceManager::loadEmpty() {
    std::lock_guard guard(storeLock);
    store.clear();
}

bool DownloadSourceManager::needsPersist() {
    std::lock_guard guard(storeLock);
    // Once a table is on disk, an emptied one is written too: otherwise the
    // last removed source would come back at the next start.
    return !store.isEmpty() || tableOnDisk;
}

void DownloadSourceManager::persist(ObjectWriter& writer) {
    QMap<QString, QString> snapshot;
    {
        std::lock_guard guard(storeLock);
        snapshot = ownCopy(store);
        tableOnDisk = true;
    }
    writer.writeStringMap(snapshot);
}

bool DownloadSourceManager::validateLoad(const QMap<QString, QString>& map) {
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        if (it.key().isNull() || it.value().isNull())
            return false;
    return true;
}

void DownloadSourceManager::afterRefreshDownloads() {
    const auto manager = client ? client->getDownloadManager() : nullptr;
    if (!manager)
        return;
    QSet<QString> names;
    for (const auto& item : manager->getDownloads())
        names.insert(keyOf(*item));
    {
        std::lock_guard guard(storeLock);
        store.removeIf([&](const auto& entry) { return !names.contains(entry.key()); });
    }
    persistAsync();
}

void DownloadSourceManager::downloadRemoved(const std::shared_ptr<DownloadItem>& item) {
    // A download replaced by a newer one of the same name is removed after
    // the newer one stored its source; that entry belongs to the newer one.
    const auto manager = client ? client->getDownloadManager() : nullptr;
    if (manager && manager->getByFile(item->getFile()))
        return;
    invalidate(*item);
    persistAsync();
}

} // namespace plenfox::client::model
