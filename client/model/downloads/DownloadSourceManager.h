#pragma once

#include "client/model/ClientComponent.h"
#include "client/model/downloads/DownloadListener.h"
#include "client/model/persistence/PersistenceClient.h"

#include <QMap>
#include <QString>
#include <memory>
#include <mutex>

namespace plenfox::client::model {

class DownloadItem;
class EventDispatcher;
class PersistenceHelper;

// Remembers, per downloaded file name, the page the download came from, and
// keeps that table in "DownloadURLs.dat". Entries of removed downloads, and
// of files no longer found by a refresh, are forgotten.
class DownloadSourceManager : public ClientComponent,
                              public DownloadListener,
                              public PersistenceClient {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.DownloadSourceManager");

    DownloadSourceManager();
    ~DownloadSourceManager() override;

    // Loads "DownloadURLs.dat" from the client's data folder.
    bool initialize(Client& client) override;
    void listenerReport() override;
    // Writes the table synchronously.
    void shutdown(Client& client) override;

    // The normalized source URL of the item's file name, or a null text.
    QString get(const DownloadItem& item) const;
    // Stores the normalized URL under the item's file name; a null URL
    // forgets the entry instead (the file has no known source).
    void put(const DownloadItem& item, const QString& url);
    void invalidate(const DownloadItem& item);
    // Writes the table now.
    void persist();
    // Writes the table on the event dispatcher's thread.
    void persistAsync();
    // A copy of the table.
    QMap<QString, QString> entries() const;

    // Persistence of the table.
    void load(ObjectReader& reader) override;
    void loadEmpty() override;
    bool needsPersist() override;
    void persist(ObjectWriter& writer) override;
    // Accepts a stored table only when every key and value is a text.
    static bool validateLoad(const QMap<QString, QString>& map);

    // Download events.
    void beforeRefreshDownloads() override {}
    // Forgets the entries whose files are no longer downloads.
    void afterRefreshDownloads() override;
    void downloadStarted(const std::shared_ptr<DownloadItem>&) override {}
    void downloadProgress(const std::shared_ptr<DownloadItem>&) override {}
    void downloadCompleted(const std::shared_ptr<DownloadItem>&) override {}
    // Forgets the entry unless a newer download of the same name is listed.
    void downloadRemoved(const std::shared_ptr<DownloadItem>& item) override;

private:
    static QString keyOf(const DownloadItem& item);

    mutable std::mutex storeLock; // guards store
    QMap<QString, QString> store;
    // Whether "DownloadURLs.dat" holds a table (read at start or written since).
    bool tableOnDisk = false;
    // Held while the table is written, so two writes never overlap.
    std::mutex lock;
    std::unique_ptr<PersistenceHelper> persistence;
    EventDispatcher* dispatcher = nullptr;
    Client* client = nullptr;
};

} // namespace plenfox::client::model
