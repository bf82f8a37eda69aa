#pragma once

#include "client/model/ClientComponent.h"
#include "client/model/downloads/DownloadAttributes.h"
#include "client/model/downloads/DownloadListenerMultiplexer.h"

#include <QString>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace plenfox::client::model {

class DownloadItem;
class DownloadManagerHandle;
class DownloadRecognizer;
class DownloadRepository;
class DownloadSourceManager;
class EventDispatcher;
class FileDownloader;

// Owns the list of downloads: the files of the downloads folder plus the
// downloads still arriving. Every change is announced to the listeners
// through the event dispatcher, never on the caller's thread.
class DownloadManager : public ClientComponent {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.DownloadManager");
    // Listener priorities: the recognizer sees every event first, then the
    // source manager, then the user interface.
    static constexpr int RecognizerPriority = std::numeric_limits<int>::min();
    static constexpr int SourceManagerPriority = RecognizerPriority + 1;
    static constexpr int UserInterfacePriority = 0;

    // Milliseconds since the epoch; replaceable so tests control time.
    using Clock = std::function<qint64()>;

    DownloadManager();
    ~DownloadManager() override;

    // Registers the source manager and the event handler's download
    // listener; downloads report through the client's handle.
    bool initialize(Client& client) override;
    void listenerReport() override;
    // Leaves running downloads alone.
    void shutdown(Client& client) override;

    // Adds a listener; used by components that register themselves (the
    // recognizer at RecognizerPriority). Only before events are delivered.
    void addListener(int priority, DownloadListener* listener);

    // Rebuilds the list from the downloads folder, keeping running downloads;
    // partial files of downloads that no longer run are removed.
    void refresh();
    // Lists downloads that started under an earlier manager of the client
    // and still run (called before the first refresh).
    void adoptRunning(const std::vector<std::shared_ptr<DownloadItem>>& items);
    // The client's recognizer, which accepts or refuses download offers.
    DownloadRecognizer* getDownloadRecognizer() const { return recognizer; }
    // Starts a download into the downloads folder. Only the last component
    // of the proposed file name is used; an entry with the same file is
    // deleted first. A download of unknown size may bring at most the
    // recognizer's largest size. Throws IllegalArgumentError for a null file
    // name.
    std::shared_ptr<FileDownloader> createDownloader(const DownloadAttributes& attributes);
    // The player's removal: removes the first entry with the item's file and
    // moves that file to the desktop's trash (or deletes it where there is
    // none). A download still arriving stops, and its partial file is deleted.
    void deleteDownload(const std::shared_ptr<DownloadItem>& item);
    // Stops a download that is still arriving: its partial file is deleted
    // and its entry removed, so nothing of it is installed. False when the
    // item is not a running download of this list.
    bool cancelDownload(const std::shared_ptr<DownloadItem>& item);
    // Whether the download of the item's file was started by a page rather
    // than by the player, and waits for the player to install it.
    bool isAwaitingPlayer(const DownloadItem& item) const;
    // The player took the download up (installs it): it waits no more.
    void takenUp(const DownloadItem& item);
    std::shared_ptr<DownloadItem> getByFile(const std::filesystem::path& file) const;
    // A copy of the list, in list order.
    std::vector<std::shared_ptr<DownloadItem>> getDownloads() const;
    // The page the item was downloaded from, or a null text.
    QString getDownloadSource(const DownloadItem& item) const;

    // Reports from the downloaders.
    void onDownloadProgress(const std::shared_ptr<DownloadItem>& item);
    void onDownloadComplete(const std::shared_ptr<DownloadItem>& item);
    void onDownloadFailed(const std::shared_ptr<DownloadItem>& item);

    void setClock(Clock newClock);
    qint64 currentTimeMs() const;

    // The name a download is stored under: the last component of the
    // proposed name (split on "/" and "\"), with characters no file name may
    // hold replaced by "_". A name that is empty or made of dots only gets a
    // generated "download-<digits>.zip" that is not yet taken in the folder.
    static QString safeFileName(const QString& proposed, const std::filesystem::path& folder,
                                qint64 nowMs);

private:
    void loadDownloads();
    // Removes the entry (lock held) and deletes its file; posts removal. Takes
    // the item by value: it may be the list's own element, which is erased.
    void deleteDownloadLocked(std::shared_ptr<DownloadItem> item, bool toTrash = false);
    bool isListedLocked(const DownloadItem* item) const;
    void removeIfAbandonedLocked(const std::filesystem::path& partial);
    // Every entry of the downloads folder; nothing when it cannot be listed.
    std::optional<std::vector<std::filesystem::path>> listRoot() const;
    void post(std::function<void()> task, const QString& event, const DownloadItem* item);

    DownloadRepository* repository = nullptr;
    DownloadListenerMultiplexer listener;
    mutable std::recursive_mutex lock; // guards downloads
    std::vector<std::shared_ptr<DownloadItem>> downloads;
    // Files of downloads no player asked for, until the player installs or
    // removes them; guarded by lock.
    std::vector<std::filesystem::path> awaitingPlayer;
    EventDispatcher* dispatcher = nullptr;
    DownloadSourceManager* sourceManager = nullptr;
    DownloadRecognizer* recognizer = nullptr;
    std::shared_ptr<DownloadManagerHandle> reports;
    mutable std::mutex clockLock;
    Clock clock;
};

} // namespace plenfox::client::model
