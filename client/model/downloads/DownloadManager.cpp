#include "client/model/downloads/DownloadManager.h"

#include "client/model/App.h"
#include "client/model/Client.h"
#include "client/model/downloads/CompletedDownloadItem.h"
#include "client/model/downloads/DownloadManagerHandle.h"
#include "client/model/downloads/DownloadRecognizer.h"
#include "client/model/downloads/DownloadRepository.h"
#include "client/model/downloads/DownloadSourceManager.h"
#include "client/model/downloads/FileDownloader.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/events/EventDispatcher.h"
#include "lib/util/Error.h"
#include "lib/util/FileSystem.h"
#include "lib/util/Paths.h"

#include <QDateTime>
#include <algorithm>
#include <system_error>

namespace plenfox::client::model {

namespace fs = std::filesystem;

namespace {

// Characters that no file name may hold on the platforms we run on; ":"
// would also name a drive or a data stream on Windows.
bool isForbiddenInName(QChar c) {
    return c.unicode() < 0x20 || c == QLatin1Char(':') || c == QLatin1Char('<') ||
           c == QLatin1Char('>') || c == QLatin1Char('"') || c == QLatin1Char('|') ||
           c == QLatin1Char('?') || c == QLatin1Char('*');
}

// True for names that denote no file of their own: "", ".", "..", "...",
// or blanks (Windows drops trailing dots and blanks from names).
bool namesNoFile(const QString& name) {
    return std::all_of(name.cbegin(), name.cend(),
                       [](QChar c) { return c == QLatin1Char('.') || c == QLatin1Char(' '); });
}

} // namespace

DownloadManager::DownloadManager() = default;
DownloadManager::~DownloadManager() = default;

bool DownloadManager::initialize(Client& client) {
    App::log(QStringLiteral("Initializing download manager"));
    dispatcher = client.getEventDispatcher().get();
    repository = client.getDownloadRepository().get();
    sourceManager = client.getDownloadSourceManager().get();
    recognizer = client.getDownloadRecognizer().get();
    reports = client.getDownloadManagerHandle();
    if (sourceManager)
        listener.add(SourceManagerPriority, sourceManager);
    if (ClientEventHandler* handler = client.getEventHandler())
        if (DownloadListener* view = handler->getDownloadListener())
            listener.add(UserInterfacePriority, view);
    App::log(QStringLiteral("Successfully initialized download manager"));
    return true;
}

void DownloadManager::listenerReport() {
    listener.listenerReport();
}

void DownloadManager::shutdown(Client&) {}

void DownloadManager::addListener(int priority, DownloadListener* added) {
    if (!added)
        throw util::IllegalArgumentError(QStringLiteral("null download listener"));
    listener.add(priority, added);
}

void DownloadManager::setClock(Clock newClock) {
    std::lock_guard guard(clockLock);
    clock = std::move(newClock);
}

qint64 DownloadManager::currentTimeMs() const {
    std::lock_guard guard(clockLock);
    return clock ? clock() : QDateTime::currentMSecsSinceEpoch();
}

QString DownloadManager::safeFileName(const QString& proposed, const fs::path& folder,
                                      qint64 nowMs) {
    const qsizetype cut =
        std::max(proposed.lastIndexOf(QLatin1Char('/')), proposed.lastIndexOf(QLatin1Char('\\')));
    QString name = proposed.mid(cut + 1);
    for (QChar& c : name)
        if (isForbiddenInName(c))
            c = QLatin1Char('_');
    // The name of a download still arriving is no name for a finished one.
    if (name.endsWith(FileDownloader::PartialSuffix))
        name += QLatin1Char('_');
    if (!namesNoFile(name))
        return name;
    // Counts up from the clock until a name is free in the folder.
    for (qint64 digits = std::max<qint64>(nowMs, 0);; ++digits) {
        const QString generated =
            QStringLiteral("download-") + QString::number(digits) + QStringLiteral(".zip");
        std::error_code error;
        if (!fs::exists(fs::symlink_status(folder / generated.toStdU16String(), error)))
            return generated;
    }
}

std::shared_ptr<FileDownloader>
DownloadManager::createDownloader(const DownloadAttributes& attributes) {
    if (attributes.fileName.isNull())
        throw util::IllegalArgumentError(QStringLiteral("download without a file name"));
    if (!repository)
        throw util::IllegalStateError(QStringLiteral("download manager not initialized"));
    std::shared_ptr<FileDownloader> downloader;
    {
        std::lock_guard guard(lock);
        const QString name =
            safeFileName(attributes.fileName, repository->getRoot(), currentTimeMs());
        if (name != attributes.fileName)
            App::log(Prefix + QStringLiteral(".createDownloader: storing [") + attributes.fileName +
                     QStringLiteral("] as [") + name + QStringLiteral("]"));
        const fs::path file = repository->getFileInRoot(name);
        const auto same = std::find_if(downloads.begin(), downloads.end(), [&](const auto& entry) {
            return DownloadItem::sameFile(entry->getFile(), file);
        });
        if (same != downloads.end())
            deleteDownloadLocked(*same);
        // A link left under this name would send the bytes outside the folder.
        for (const fs::path& target : {file, FileDownloader::partialFileOf(file)}) {
            std::error_code error;
            if (fs::is_symlink(fs::symlink_status(target, error)))
                fs::remove(target, error);
        }
        downloader =
            std::make_shared<FileDownloader>(reports, currentTimeMs(), attributes.contentLength,
                                             file, DownloadRecognizer::MaxContentLength);
        downloads.push_back(downloader);
        if (!attributes.startedByPlayer) {
            awaitingPlayer.push_back(file);
            App::log(Prefix + QStringLiteral(".createDownloader: no player asked for [") + name +
                     QStringLiteral("]; it will wait to be installed"));
        }
        post([this, downloader] { listener.downloadStarted(downloader); },
             QStringLiteral("downloadStarted"), downloader.get());
    }
    // A page not known forgets the source of an older file of this name.
    if (sourceManager) {
        sourceManager->put(*downloader, attributes.documentUrl);
        sourceManager->persistAsync();
    }
    return downloader;
}

void DownloadManager::deleteDownload(const std::shared_ptr<DownloadItem>& item) {
    if (!item)
        throw util::IllegalArgumentError(QStringLiteral("null download"));
    std::lock_guard guard(lock);
    deleteDownloadLocked(item, true);
}

bool DownloadManager::cancelDownload(const std::shared_ptr<DownloadItem>& item) {
    if (!item)
        throw util::IllegalArgumentError(QStringLiteral("null download"));
    std::lock_guard guard(lock);
    const auto running = std::find_if(downloads.begin(), downloads.end(), [&](const auto& entry) {
        return entry.get() == item.get() && entry->inProgress() &&
               std::dynamic_pointer_cast<FileDownloader>(entry);
    });
    if (running == downloads.end())
        return false;
    App::log(Prefix + QStringLiteral(".cancelDownload: [") + util::pathText(item->getFile()) +
             QLatin1Char(']'));
    deleteDownloadLocked(item);
    return true;
}

bool DownloadManager::isAwaitingPlayer(const DownloadItem& item) const {
    std::lock_guard guard(lock);
    const fs::path file = item.getFile();
    return std::any_of(awaitingPlayer.begin(), awaitingPlayer.end(),
                       [&](const fs::path& waiting) { return DownloadItem::sameFile(waiting, file); });
}

void DownloadManager::takenUp(const DownloadItem& item) {
    std::lock_guard guard(lock);
    const fs::path file = item.getFile();
    std::erase_if(awaitingPlayer,
                  [&](const fs::path& waiting) { return DownloadItem::sameFile(waiting, file); });
}

void DownloadManager::deleteDownloadLocked(std::shared_ptr<DownloadItem> item, bool toTrash) {
    const fs::path file = item->getFile();
    std::erase_if(awaitingPlayer,
                  [&](const fs::path& waiting) { return DownloadItem::sameFile(waiting, file); });
    std::shared_ptr<DownloadItem> removed;
    const auto found = std::find_if(downloads.begin(), downloads.end(), [&](const auto& entry) {
        return DownloadItem::sameFile(entry->getFile(), file);
    });
    if (found != downloads.end()) {
        removed = *found;
        downloads.erase(found);
    }
    // A download still arriving stops here, before its file goes.
    bool wasRunning = false;
    for (const auto& candidate : {item, removed})
        if (auto running = std::dynamic_pointer_cast<FileDownloader>(candidate)) {
            wasRunning = wasRunning || running->inProgress();
            running->cancel();
        }
    // A finished download the player removes may be wanted back; the bytes
    // of one that never finished are worth nothing (and a download that never
    // completed has no file of that name).
    if (toTrash && !wasRunning) {
        const util::FileSystem::Discarded result = util::FileSystem::discard(file);
        if (result == util::FileSystem::Discarded::Failed)
            App::log(Prefix + QStringLiteral(".deleteDownload: failed to delete file [") +
                     util::pathText(file) + QStringLiteral("]"));
        else if (result == util::FileSystem::Discarded::Trashed)
            App::log(Prefix + QStringLiteral(".deleteDownload: moved to the trash [") +
                     util::pathText(file) + QStringLiteral("]"));
    } else {
        std::error_code error;
        fs::remove(file, error);
        if (error)
            App::log(Prefix + QStringLiteral(".deleteDownload: failed to delete file [") +
                     util::pathText(file) + QStringLiteral("]"));
    }
    post([this, item] { listener.downloadRemoved(item); }, QStringLiteral("downloadRemoved"),
         item.get());
}

std::shared_ptr<DownloadItem> DownloadManager::getByFile(const fs::path& file) const {
    std::lock_guard guard(lock);
    for (const auto& entry : downloads)
        if (DownloadItem::sameFile(entry->getFile(), file))
            return entry;
    return nullptr;
}

std::vector<std::shared_ptr<DownloadItem>> DownloadManager::getDownloads() const {
    std::lock_guard guard(lock);
    return downloads;
}

QString DownloadManager::getDownloadSource(const DownloadItem& item) const {
    return sourceManager ? sourceManager->get(item) : QString();
}

bool DownloadManager::isListedLocked(const DownloadItem* item) const {
    return std::any_of(downloads.begin(), downloads.end(),
                       [&](const auto& entry) { return entry.get() == item; });
}

// A downloader whose entry was removed or replaced reports nothing more: its
// file may already belong to a newer download.
void DownloadManager::onDownloadProgress(const std::shared_ptr<DownloadItem>& item) {
    std::lock_guard guard(lock);
    if (isListedLocked(item.get()))
        post([this, item] { listener.downloadProgress(item); }, QStringLiteral("downloadProgress"),
             item.get());
}

// A refresh that ran between the last block and this report may already list
// the finished file as a completed item: that entry is announced instead.
void DownloadManager::onDownloadComplete(const std::shared_ptr<DownloadItem>& item) {
    std::lock_guard guard(lock);
    const fs::path file = item->getFile();
    const auto holder = std::find_if(downloads.begin(), downloads.end(), [&](const auto& entry) {
        return DownloadItem::sameFile(entry->getFile(), file);
    });
    if (holder == downloads.end())
        return; // removed, with its file
    if (holder->get() != item.get() && std::dynamic_pointer_cast<FileDownloader>(*holder))
        return; // the file belongs to a newer download
    const std::shared_ptr<DownloadItem> completed = *holder;
    post([this, completed] { listener.downloadCompleted(completed); },
         QStringLiteral("downloadCompleted"), completed.get());
}

// The partial file goes at once, under the lock, so that no newer download
// of the same name can slip in between and lose its file instead.
void DownloadManager::onDownloadFailed(const std::shared_ptr<DownloadItem>& item) {
    std::lock_guard guard(lock);
    const fs::path file = item->getFile();
    const auto holder = std::find_if(downloads.begin(), downloads.end(), [&](const auto& entry) {
        return DownloadItem::sameFile(entry->getFile(), file);
    });
    if (holder == downloads.end())
        return; // already removed, with its file
    if (holder->get() != item.get() && std::dynamic_pointer_cast<FileDownloader>(*holder)) {
        App::log(Prefix + QStringLiteral(".onDownloadFailed: [") + util::pathText(file) +
                 QStringLiteral("] belongs to a newer download"));
        return;
    }
    deleteDownloadLocked(item);
}

void DownloadManager::adoptRunning(const std::vector<std::shared_ptr<DownloadItem>>& items) {
    std::lock_guard guard(lock);
    for (const auto& item : items) {
        const fs::path file = item->getFile();
        const bool listed = std::any_of(downloads.begin(), downloads.end(), [&](const auto& entry) {
            return DownloadItem::sameFile(entry->getFile(), file);
        });
        if (!listed)
            downloads.push_back(item);
    }
}

void DownloadManager::refresh() {
    App::log(Prefix + QStringLiteral(".refresh"));
    loadDownloads();
}

void DownloadManager::loadDownloads() {
    if (!repository)
        throw util::IllegalStateError(QStringLiteral("download manager not initialized"));
    App::log(Prefix + QStringLiteral(".loadDownloads"));
    post([this] { listener.beforeRefreshDownloads(); }, QStringLiteral("beforeRefreshDownloads"),
         nullptr);
    {
        std::lock_guard guard(lock);
        // A folder that cannot be listed leaves the list as it was rather
        // than losing its finished entries.
        if (const auto found = listRoot()) {
            std::erase_if(downloads, [](const auto& entry) { return !entry->inProgress(); });
            for (const fs::path& file : *found) {
                if (FileDownloader::isPartialFile(file)) {
                    removeIfAbandonedLocked(file);
                    continue;
                }
                const bool listed =
                    std::any_of(downloads.begin(), downloads.end(), [&](const auto& entry) {
                        return DownloadItem::sameFile(entry->getFile(), file);
                    });
                if (!listed)
                    downloads.push_back(std::make_shared<CompletedDownloadItem>(file));
            }
            std::stable_sort(downloads.begin(), downloads.end(),
                             [](const auto& a, const auto& b) { return a->compareTo(*b) < 0; });
            // A waiting file that went from the folder waits no more.
            std::erase_if(awaitingPlayer, [this](const fs::path& waiting) {
                return std::none_of(downloads.begin(), downloads.end(), [&](const auto& entry) {
                    return DownloadItem::sameFile(entry->getFile(), waiting);
                });
            });
        }
    }
    post([this] { listener.afterRefreshDownloads(); }, QStringLiteral("afterRefreshDownloads"),
         nullptr);
}

// A partial file no running download writes was left by a download that
// never completed (the program ended meanwhile): it is no download.
void DownloadManager::removeIfAbandonedLocked(const fs::path& partial) {
    const bool running = std::any_of(downloads.begin(), downloads.end(), [&](const auto& entry) {
        return entry->inProgress() &&
               DownloadItem::sameFile(FileDownloader::partialFileOf(entry->getFile()), partial);
    });
    if (running)
        return;
    std::error_code error;
    fs::remove(partial, error);
    App::log(Prefix + QStringLiteral(".loadDownloads: removed the unfinished download [") +
             util::pathText(partial) + QStringLiteral("]"));
}

std::optional<std::vector<fs::path>> DownloadManager::listRoot() const {
    std::vector<fs::path> found;
    try {
        for (const fs::directory_entry& entry : fs::directory_iterator(repository->getRoot()))
            found.push_back(entry.path());
    } catch (const fs::filesystem_error& error) {
        App::log(util::IoError(QStringLiteral("cannot list ") +
                               util::pathText(repository->getRoot()) + QStringLiteral(": ") +
                               QString::fromLocal8Bit(error.what())));
        return std::nullopt;
    }
    return found;
}

void DownloadManager::post(std::function<void()> task, const QString& event,
                           const DownloadItem* item) {
    QString description = QStringLiteral("DownloadManager.") + event;
    if (item)
        description += QStringLiteral(" [") + util::pathText(item->getFile()) + QStringLiteral("]");
    try {
        if (!dispatcher)
            throw util::IllegalStateError(QStringLiteral("download manager not initialized"));
        dispatcher->invokeLater(std::move(task), description);
    } catch (const std::exception& error) {
        // Reports come from the browser's threads; they must not fail there.
        App::log(error);
    }
}

} // namespace plenfox::client::model
