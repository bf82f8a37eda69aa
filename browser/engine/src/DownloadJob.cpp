#include "DownloadJob.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QWebEngineDownloadRequest>

#include "BrowserImpl.h"
#include "DownloadRelay.h"
#include "Engine.h"
#include "QtText.h"
#include "cef_request_handler.h"

namespace {

// Bytes handed to ReceivedData at most per call.
constexpr std::size_t ChunkSize = 1024 * 1024;
// How often the IO thread looks at the growing staging file; Qt reports
// progress too rarely to wait for it.
constexpr int PollMs = 2;
// Qt WebEngine writes into this twin of the target until the download ends.
const QString InProgressSuffix = QStringLiteral(".download");

} // namespace

DownloadJob::DownloadJob(DownloadRelay& relay, QWebEngineDownloadRequest& request,
                         CefRefPtr<BrowserImpl> browser, QString stagingFile)
    : relay_(relay), request_(&request), browser_(browser), stagingFile_(std::move(stagingFile)) {}

DownloadJob::~DownloadJob() {
    if (fd_ >= 0)
        ::close(fd_);
}

void DownloadJob::start() {
    const QFileInfo target(stagingFile_);
    request_->setDownloadDirectory(target.absolutePath());
    request_->setDownloadFileName(target.fileName());
    // The length arrives shortly after the download is accepted.
    connections_.push_back(QObject::connect(request_, &QWebEngineDownloadRequest::totalBytesChanged,
                                            [this] { onProgress(); }));
    connections_.push_back(QObject::connect(
        request_, &QWebEngineDownloadRequest::receivedBytesChanged, [this] { onProgress(); }));
    connections_.push_back(
        QObject::connect(request_, &QWebEngineDownloadRequest::isFinishedChanged, [this] {
            if (request_ && request_->isFinished())
                onFinished();
        }));
    // An interrupted download would be resumed, possibly from the start into
    // a new file: the bytes already handed on could then not be trusted. It
    // ends as failed instead.
    connections_.push_back(
        QObject::connect(request_, &QWebEngineDownloadRequest::stateChanged,
                         [this](QWebEngineDownloadRequest::DownloadState state) {
                             if (state == QWebEngineDownloadRequest::DownloadInterrupted &&
                                 request_ && !request_->isFinished())
                                 request_->cancel();
                         }));
    request_->accept();
}

void DownloadJob::onProgress() {
    // A small file can arrive whole before its length is reported: wait for
    // the length (or the end, which gives it) rather than offer an unknown
    // one, which the client cannot judge and the bridge refuses.
    if (!asked_ && request_ && request_->totalBytes() >= 0)
        askForHandler();
}

void DownloadJob::askForHandler() {
    asked_ = true;
    const auto client = browser_->GetClient();
    const auto requestHandler = client ? client->GetRequestHandler() : nullptr;
    // A download that already ended has a known length even without one.
    long long length = request_->totalBytes();
    if (length < 0 && request_->isFinished())
        length = request_->receivedBytes();
    CefRefPtr<CefDownloadHandler> handler;
    const bool accepted = requestHandler &&
                          requestHandler->GetDownloadHandler(
                              browser_, toCefString(request_->mimeType()),
                              toCefString(request_->suggestedFileName()), length, handler) &&
                          handler;
    if (!accepted) {
        phase_ = Phase::Ended;
        if (!request_->isFinished())
            request_->cancel(); // The files go once Qt reports the end.
        return;
    }
    handler_ = handler;
    announcedSize_ = request_->totalBytes();
    phase_ = Phase::Streaming;
    schedulePump(0);
}

void DownloadJob::onFinished() {
    if (!asked_)
        askForHandler();
    succeeded_ = request_->state() == QWebEngineDownloadRequest::DownloadCompleted;
    finalSize_ = request_->receivedBytes();
    finished_ = true;
    if (phase_ == Phase::Streaming) {
        schedulePump(0); // The IO thread reads the rest and ends the job.
        return;
    }
    removeStagingFiles();
    release();
}

void DownloadJob::cancel() {
    phase_ = Phase::Ended;
    for (const auto& connection : connections_)
        QObject::disconnect(connection);
    connections_.clear();
    if (request_ && !request_->isFinished())
        request_->cancel();
    removeStagingFiles();
}

void DownloadJob::schedulePump(int delayMs) {
    auto self = shared_from_this();
    Engine::postTo(
        TID_IO, [self] { self->pump(); }, delayMs);
}

void DownloadJob::pump() {
    if (phase_ != Phase::Streaming)
        return;
    // Read the end state before the file: bytes read after seeing it include
    // everything Qt wrote.
    const bool finished = finished_;
    if (fd_ < 0 && !openStagingFile()) {
        if (finished)
            endStreaming(false);
        else
            schedulePump(PollMs);
        return;
    }
    if (stagingFileReplaced()) {
        endStreaming(true);
        return;
    }
    buffer_.resize(ChunkSize);
    for (;;) {
        const ssize_t count = ::read(fd_, buffer_.data(), buffer_.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        if (phase_ != Phase::Streaming)
            return;
        if (!handler_->ReceivedData(buffer_.data(), static_cast<int>(count))) {
            endStreaming(true);
            return;
        }
        offset_ += count;
    }
    // Every announced byte is here: the download is complete for the
    // handler, whatever Qt still does with its file.
    if (announcedSize_ >= 0 && offset_ == announcedSize_) {
        handler_->Complete();
        endStreaming(false);
        return;
    }
    if (!finished) {
        schedulePump(PollMs);
        return;
    }
    // A download that failed, or whose file ended short, is not complete.
    if (succeeded_ && offset_ == finalSize_)
        handler_->Complete();
    endStreaming(false);
}

// Qt writes one file from start to end; a file that was removed or became
// shorter than what was read means the transfer started over.
bool DownloadJob::stagingFileReplaced() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        return true;
    if (info.st_size < offset_)
        return true;
    // Removed while the download still runs: Qt gave up this file.
    return info.st_nlink == 0 && !finished_;
}

bool DownloadJob::openStagingFile() {
    for (const QString& path : {stagingFile_ + InProgressSuffix, stagingFile_}) {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd_ >= 0)
            return true;
    }
    return false;
}

void DownloadJob::endStreaming(bool cancelRequest) {
    phase_ = Phase::Ended;
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    handler_ = nullptr;
    auto self = shared_from_this();
    Engine::postTo(TID_UI, [self, cancelRequest] {
        if (cancelRequest && self->request_ && !self->request_->isFinished()) {
            // Qt reports the end afterwards; the files go then.
            self->request_->cancel();
            return;
        }
        if (self->finished_) {
            self->removeStagingFiles();
            self->release();
        }
    });
}

void DownloadJob::removeStagingFiles() const {
    QFile::remove(stagingFile_);
    QFile::remove(stagingFile_ + InProgressSuffix);
}

void DownloadJob::release() {
    for (const auto& connection : connections_)
        QObject::disconnect(connection);
    connections_.clear();
    relay_.forget(this);
}
