#include "client/model/downloads/FileDownloader.h"

#include "client/model/App.h"
#include "client/model/downloads/DownloadManagerHandle.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

namespace plenfox::client::model {

using util::pathText;

namespace {

QString boolText(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// Closes the file, logging a failure to flush or close it.
void closeLogged(QFile& output) {
    output.close();
    if (output.error() != QFileDevice::NoError)
        App::log(util::IoError(output.fileName() + QStringLiteral(": ") + output.errorString()));
}

} // namespace

FileDownloader::FileDownloader(std::shared_ptr<DownloadManagerHandle> reports, qint64 startTimeMs,
                               qint64 expectedSize, std::filesystem::path file)
    : reports(std::move(reports)), file(std::move(file)), expectedSize(expectedSize),
      lastNotificationTimeMs(startTimeMs - NotificationDeltaMs) {
    App::log(Prefix + QStringLiteral(": attempting to download to file [") + pathText(this->file) +
             QStringLiteral("]: ") + QString::number(expectedSize));
    // Unbuffered: each block goes to the file as it arrives, nothing is held
    // in memory beyond the browser's own block.
    auto opened = std::make_unique<QFile>(pathText(this->file));
    if (opened->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        output = std::move(opened);
    else
        App::log(
            util::IoError(pathText(this->file) + QStringLiteral(": ") + opened->errorString()));
}

FileDownloader::~FileDownloader() = default;

qint64 FileDownloader::getCurrentSize() const {
    std::lock_guard guard(lock);
    return size;
}

bool FileDownloader::inProgress() const {
    std::lock_guard guard(lock);
    return !completed;
}

bool FileDownloader::isFailed() const {
    std::lock_guard guard(lock);
    return failed;
}

bool FileDownloader::receivedData(QByteArrayView buffer) {
    bool overflowed = false;
    {
        std::lock_guard outputGuard(outputLock);
        if (!output)
            return false;
        // An announced size is the accepted size: a sender that goes on
        // past it is stopped before the file grows beyond it. Zero or less
        // means no size was announced.
        if (expectedSize > 0 && buffer.size() > expectedSize - getCurrentSize()) {
            overflowLocked();
            overflowed = true;
        } else {
            const qint64 written = output->write(buffer.data(), buffer.size());
            if (written != buffer.size()) {
                App::log(
                    util::IoError(pathText(file) + QStringLiteral(": ") + output->errorString()));
                return false;
            }
            std::lock_guard guard(lock);
            size += buffer.size();
        }
    }
    if (overflowed) {
        reports->reportFailed(shared_from_this());
        return false;
    }
    // The clock is read outside the output lock: the handle's lock comes
    // before the manager's, which holds this downloader's output lock when
    // it cancels it.
    const qint64 now = reports->currentTimeMs();
    if (now - lastNotificationTimeMs < NotificationDeltaMs)
        return true;
    lastNotificationTimeMs = now;
    reports->reportProgress(shared_from_this());
    return true;
}

void FileDownloader::overflowLocked() {
    closeLogged(*output);
    output.reset();
    qint64 received = 0;
    {
        std::lock_guard guard(lock);
        completed = true;
        failed = true;
        received = size;
    }
    App::log(Prefix + QStringLiteral(".receivedData: more bytes than the announced ") +
             QString::number(expectedSize) + QStringLiteral(" after ") + QString::number(received) +
             QStringLiteral("; download stopped [") + pathText(file) + QStringLiteral("]"));
}

void FileDownloader::complete() {
    bool hasFailed = false;
    qint64 finalSize = 0;
    {
        std::lock_guard outputGuard(outputLock);
        {
            std::lock_guard guard(lock);
            if (completed)
                return;
        }
        if (output) {
            closeLogged(*output);
            output.reset();
        }
        std::lock_guard guard(lock);
        completed = true;
        failed = size < expectedSize;
        hasFailed = failed;
        finalSize = size;
    }
    App::log(Prefix + QStringLiteral(".complete: ") + boolText(true) + QStringLiteral(", ") +
             boolText(hasFailed) + QStringLiteral(", ") + QString::number(finalSize) +
             QStringLiteral(", ") + QString::number(expectedSize));
    if (hasFailed)
        reports->reportFailed(shared_from_this());
    else
        reports->reportComplete(shared_from_this());
}

void FileDownloader::cancel() {
    std::lock_guard outputGuard(outputLock);
    {
        std::lock_guard guard(lock);
        if (completed)
            return;
        completed = true;
        cancelled = true;
    }
    App::log(Prefix + QStringLiteral(".cancel: download removed while running [") + pathText(file) +
             QStringLiteral("]"));
    if (output) {
        closeLogged(*output);
        output.reset();
    }
}

} // namespace plenfox::client::model
