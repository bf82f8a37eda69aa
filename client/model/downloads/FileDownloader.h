#pragma once

#include "client/model/downloads/DownloadItem.h"
#include "client/model/downloads/Downloader.h"

#include <QFile>
#include <QString>
#include <memory>
#include <mutex>

namespace plenfox::client::model {

class DownloadManagerHandle;

// Writes a download's bytes straight into its file in the downloads folder
// and reports progress (at most once a second), completion and failure to
// the client's current download manager, through the client's handle. The
// browser feeds it from its download thread while other threads read its
// sizes. A download that sends more bytes than it announced is stopped and
// reported as failed, so nothing grows past the accepted size.
class FileDownloader : public DownloadItem,
                       public Downloader,
                       public std::enable_shared_from_this<FileDownloader> {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.FileDownloader");
    // Minimum milliseconds between two progress notifications.
    static constexpr qint64 NotificationDeltaMs = 1000;

    // Opens the file, truncating it. A file that cannot be opened is logged;
    // the downloader then refuses every block. startTimeMs is the manager's
    // clock at creation.
    FileDownloader(std::shared_ptr<DownloadManagerHandle> reports, qint64 startTimeMs,
                   qint64 expectedSize, std::filesystem::path file);
    ~FileDownloader() override;

    std::filesystem::path getFile() const override { return file; }
    qint64 getCurrentSize() const override;
    qint64 getTotalSize() const override { return expectedSize; }
    bool inProgress() const override;

    bool receivedData(QByteArrayView buffer) override;
    // Closes the file and reports completion, or failure when fewer bytes
    // arrived than were announced. Later calls do nothing.
    void complete() override;

    // Called by the manager when the entry is removed while bytes still
    // arrive: closes the file and stops the download. Nothing is reported
    // for it afterwards, so it cannot touch a newer download of the same file.
    void cancel();
    bool isFailed() const;

private:
    // Stops the download after more bytes than announced (output lock held).
    void overflowLocked();

    const std::shared_ptr<DownloadManagerHandle> reports;
    // Guards output: blocks are written, and the file closed, under it.
    std::mutex outputLock;
    std::unique_ptr<QFile> output; // null once closed or when opening failed
    const std::filesystem::path file;
    const qint64 expectedSize;
    // Guards size, failed, completed and cancelled.
    mutable std::mutex lock;
    qint64 size = 0;
    bool failed = false;
    bool completed = false;
    bool cancelled = false;
    // Touched only by the thread that delivers the blocks.
    qint64 lastNotificationTimeMs;
};

} // namespace plenfox::client::model
