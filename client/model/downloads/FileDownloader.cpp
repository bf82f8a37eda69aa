#include "client/model/downloads/FileDownloader.h"

#include "client/model/App.h"
#include "client/model/downloads/DownloadManagerHandle.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

#include <QLocale>

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
                               qint64 expectedSize, std::filesystem::path file, qint64 sizeLimit)
    : reports(std::move(reports)), file(std::move(file)), partialFile(partialFileOf(this->file)),
      expectedSize(expectedSize), sizeLimit(expectedSize > 0 ? expectedSize : sizeLimit),
      lastNotificationTimeMs(startTimeMs - NotificationDeltaMs) {
    App::log(Prefix + QStringLiteral(": attempting to download to file [") + pathText(this->file) +
             QStringLiteral("]: ") + QString::number(expectedSize));
    // A folder of the download's name could never become the download.
    std::error_code error;
    if (std::filesystem::is_directory(this->file, error)) {
        App::log(util::IoError(pathText(this->file) + QStringLiteral(": is a folder")));
        return;
    }
    // Unbuffered: each block goes to the file as it arrives, nothing is held
    // in memory beyond the browser's own block.
    auto opened = std::make_unique<QFile>(pathText(partialFile));
    if (opened->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        output = std::move(opened);
    else
        App::log(
            util::IoError(pathText(partialFile) + QStringLiteral(": ") + opened->errorString()));
}

FileDownloader::~FileDownloader() = default;

std::filesystem::path FileDownloader::partialFileOf(const std::filesystem::path& file) {
    std::filesystem::path partial = file;
    partial += PartialSuffix.toStdU16String();
    return partial;
}

bool FileDownloader::isPartialFile(const std::filesystem::path& file) {
    return pathText(file.filename()).endsWith(PartialSuffix);
}

qint64 FileDownloader::getCurrentSize() const {
    std::lock_guard guard(lock);
    return size;
}

qint64 FileDownloader::getTotalSize() const {
    if (expectedSize > 0)
        return expectedSize;
    std::lock_guard guard(lock);
    return completed && !failed ? size : expectedSize;
}

bool FileDownloader::inProgress() const {
    std::lock_guard guard(lock);
    return !completed;
}

bool FileDownloader::isFailed() const {
    std::lock_guard guard(lock);
    return failed;
}

QString FileDownloader::getFailure() const {
    std::lock_guard guard(lock);
    return failure;
}

bool FileDownloader::receivedData(QByteArrayView buffer) {
    bool overflowed = false;
    {
        std::lock_guard outputGuard(outputLock);
        if (!output)
            return false;
        // An announced size is the accepted size, and a download without
        // one is held to the size limit: a sender that goes on past it is
        // stopped before the file grows beyond it.
        if (buffer.size() > sizeLimit - getCurrentSize()) {
            overflowLocked();
            overflowed = true;
        } else {
            const qint64 written = output->write(buffer.data(), buffer.size());
            if (written != buffer.size()) {
                App::log(util::IoError(pathText(partialFile) + QStringLiteral(": ") +
                                       output->errorString()));
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
    discardLocked();
    qint64 received = 0;
    {
        std::lock_guard guard(lock);
        completed = true;
        failed = true;
        received = size;
        failure = expectedSize > 0
                      ? QStringLiteral("the site sent more than the ") +
                            QString::number(expectedSize) + QStringLiteral(" bytes it announced.")
                      : QStringLiteral("it grew larger than ") +
                            QLocale::c().formattedDataSize(sizeLimit, 0,
                                                           QLocale::DataSizeTraditionalFormat) +
                            QStringLiteral(" while it arrived.");
    }
    App::log(Prefix + QStringLiteral(".receivedData: more bytes than the ") +
             (expectedSize > 0 ? QStringLiteral("announced ") : QStringLiteral("allowed ")) +
             QString::number(sizeLimit) + QStringLiteral(" after ") + QString::number(received) +
             QStringLiteral("; download stopped [") + pathText(file) + QStringLiteral("]"));
}

void FileDownloader::discardLocked() {
    if (output) {
        closeLogged(*output);
        output.reset();
    }
    std::error_code error;
    std::filesystem::remove(partialFile, error);
}

bool FileDownloader::publishLocked() {
    std::error_code error;
    std::filesystem::rename(partialFile, file, error);
    if (!error)
        return true;
    App::log(util::IoError(pathText(partialFile) + QStringLiteral(": cannot become [") +
                           pathText(file) + QStringLiteral("]: ") +
                           QString::fromLocal8Bit(error.message())));
    std::filesystem::remove(partialFile, error);
    return false;
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
            finalSize = size;
        }
        // Named while still in progress, so that a refresh meanwhile keeps
        // this entry rather than list neither file.
        const bool opened = output != nullptr;
        if (output) {
            closeLogged(*output);
            output.reset();
        }
        QString why;
        if (!opened || (finalSize >= expectedSize && !publishLocked()))
            why = QStringLiteral("it could not be stored in the downloads folder.");
        else if (finalSize < expectedSize)
            why = QStringLiteral("the transfer ended after ") + QString::number(finalSize) +
                  QStringLiteral(" of ") + QString::number(expectedSize) +
                  QStringLiteral(" bytes.");
        hasFailed = !why.isEmpty();
        if (hasFailed)
            discardLocked();
        std::lock_guard guard(lock);
        completed = true;
        failed = hasFailed;
        failure = why;
    }
    App::log(Prefix + QStringLiteral(".complete: ") + boolText(true) + QStringLiteral(", ") +
             boolText(hasFailed) + QStringLiteral(", ") + QString::number(finalSize) +
             QStringLiteral(", ") + QString::number(expectedSize));
    if (hasFailed)
        reports->reportFailed(shared_from_this());
    else
        reports->reportComplete(shared_from_this());
}

void FileDownloader::abort() {
    qint64 received = 0;
    {
        std::lock_guard outputGuard(outputLock);
        {
            std::lock_guard guard(lock);
            if (completed)
                return;
            completed = true;
            failed = true;
            received = size;
            failure = QStringLiteral("the transfer broke off after ") + QString::number(received) +
                      QStringLiteral(" bytes.");
        }
        discardLocked();
    }
    App::log(Prefix + QStringLiteral(".abort: the transfer ended early after ") +
             QString::number(received) + QStringLiteral(" of ") + QString::number(expectedSize) +
             QStringLiteral(" [") + pathText(file) + QStringLiteral("]"));
    reports->reportFailed(shared_from_this());
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
    discardLocked();
}

} // namespace plenfox::client::model
