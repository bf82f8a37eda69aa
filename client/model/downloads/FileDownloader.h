#pragma once

#include "client/model/downloads/DownloadItem.h"
#include "client/model/downloads/Downloader.h"

#include <QFile>
#include <QString>
#include <memory>
#include <mutex>

namespace plenfox::client::model {

class DownloadManagerHandle;

// Writes a download's bytes straight into a partial file beside its file in
// the downloads folder and reports progress (at most once a second),
// completion and failure to the client's current download manager, through
// the client's handle. The browser feeds it from its download thread while
// other threads read its sizes. Only a completed download gets its file's
// name: a partial file is never listed as a download, and one left behind
// (the program ended meanwhile) is removed at the next refresh. A download
// that sends more bytes than it announced, or more than its size limit when
// it announced none, is stopped and reported as failed, so nothing grows
// past the accepted size.
class FileDownloader : public DownloadItem,
                       public Downloader,
                       public std::enable_shared_from_this<FileDownloader> {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.FileDownloader");
    // Minimum milliseconds between two progress notifications.
    static constexpr qint64 NotificationDeltaMs = 1000;
    // Ends the name of a download's file while its bytes arrive.
    static inline const QString PartialSuffix = QStringLiteral(".partial");

    // Opens the partial file, truncating it. A file that cannot be opened
    // (or a final name taken by a folder) is logged; the downloader then
    // refuses every block. startTimeMs is the manager's clock at creation;
    // sizeLimit bounds a download whose size is unknown (expectedSize 0 or
    // negative).
    FileDownloader(std::shared_ptr<DownloadManagerHandle> reports, qint64 startTimeMs,
                   qint64 expectedSize, std::filesystem::path file, qint64 sizeLimit);
    ~FileDownloader() override;

    // The partial file of a download's file.
    static std::filesystem::path partialFileOf(const std::filesystem::path& file);
    static bool isPartialFile(const std::filesystem::path& file);

    std::filesystem::path getFile() const override { return file; }
    qint64 getCurrentSize() const override;
    // The announced size; for a download of unknown size, its size once it
    // completed (negative before).
    qint64 getTotalSize() const override;
    bool inProgress() const override;

    bool receivedData(QByteArrayView buffer) override;
    // Closes the file, gives it its name and reports completion; reports
    // failure when fewer bytes arrived than were announced. Later calls do
    // nothing.
    void complete() override;
    // Closes and removes the partial file and reports failure. Does nothing
    // once the download ended.
    void abort() override;

    // Called by the manager when the entry is removed while bytes still
    // arrive: closes the file and stops the download. Nothing is reported
    // for it afterwards, so it cannot touch a newer download of the same file.
    void cancel();
    bool isFailed() const;
    QString getFailure() const override;

private:
    // Stops the download after more bytes than accepted (output lock held).
    void overflowLocked();
    // Closes the output and removes the partial file (output lock held).
    void discardLocked();
    // Gives the partial file the download's name (output lock held).
    bool publishLocked();

    const std::shared_ptr<DownloadManagerHandle> reports;
    // Guards output: blocks are written, and the file closed, under it.
    std::mutex outputLock;
    std::unique_ptr<QFile> output; // null once closed or when opening failed
    const std::filesystem::path file;
    const std::filesystem::path partialFile;
    const qint64 expectedSize;
    // The most bytes the download may bring.
    const qint64 sizeLimit;
    // Guards size, failed, failure, completed and cancelled.
    mutable std::mutex lock;
    qint64 size = 0;
    bool failed = false;
    QString failure;
    bool completed = false;
    bool cancelled = false;
    // Touched only by the thread that delivers the blocks.
    qint64 lastNotificationTimeMs;
};

} // namespace plenfox::client::model
