#include "DownloadJob.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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
// progress too rarely to wait for it. While the file is not there yet the
// looks grow rarer, up to IdlePollMs apart.
constexpr int PollMs = 2;
constexpr int IdlePollMs = 50;
// Qt WebEngine writes into this twin of the target until the download ends.
const QString InProgressSuffix = QStringLiteral(".download");

} // namespace

DownloadJob::DownloadJob(DownloadRelay& relay, QWebEngineDownloadRequest& request,
                         CefRefPtr<BrowserImpl> browser, QString stagingFile)
    : relay_(&relay), request_(&request), browser_(browser), stagingFile_(std::move(stagingFile)) {}

DownloadJob::~DownloadJob() {
    if (fd_ >= 0)
        ::close(fd_);
}

void DownloadJob::start() {
    const QFileInfo target(stagingFile_);
    request_->setDownloadDirectory(target.absolutePath());
    request_->setDownloadFileName(target.fileName());
    // Whether a length was announced is known shortly after the download is
    // accepted.
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
    connections_.push_back(QObject::connect(request_, &QWebEngineDownloadRequest::stateChanged,
                                            [this](QWebEngineDownloadRequest::DownloadState state) {
                                                if (state ==
                                                    QWebEngineDownloadRequest::DownloadInterrupted)
                                                    stopRequest();
                                            }));
    request_->accept();
}

void DownloadJob::onProgress() {
    if (!request_ || request_->isFinished())
        return;
    // The browser starts a broken transfer over from its first byte on its
    // own, without reporting the interruption: the received count falling
    // back is the only sign. The restarted transfer may stall for good
    // without ever writing a file, so the job ends here, as failed.
    const long long received = request_->receivedBytes();
    if (received < mostReceived_) {
        stopRequest();
        return;
    }
    mostReceived_ = received;
    // Qt reports -1 until it knows whether the server announced a length,
    // then the length, or 0 when there is none.
    if (!asked_ && request_->totalBytes() >= 0)
        askForHandler();
}

void DownloadJob::stopRequest() {
    if (request_ && !request_->isFinished())
        request_->cancel(); // Qt reports the end; the job ends then.
}

void DownloadJob::askForHandler() {
    asked_ = true;
    const auto client = browser_->GetClient();
    const auto requestHandler = client ? client->GetRequestHandler() : nullptr;
    // A download that already ended has the length it arrived with; an
    // unknown length is offered as -1.
    long long length = request_->isFinished() ? request_->receivedBytes() : request_->totalBytes();
    if (length <= 0 && !request_->isFinished())
        length = -1;
    CefRefPtr<CefDownloadHandler> handler;
    const bool accepted = requestHandler &&
                          requestHandler->GetDownloadHandler(
                              browser_, toCefString(request_->mimeType()),
                              toCefString(request_->suggestedFileName()), length, handler) &&
                          handler;
    if (!accepted) {
        phase_ = Phase::Ended;
        stopRequest(); // The files go once Qt reports the end.
        return;
    }
    // Moved, so that the engine's last reference is the IO thread's.
    handler_ = std::move(handler);
    announcedSize_ = length;
    phase_ = Phase::Streaming;
    schedulePump(0);
}

void DownloadJob::onFinished() {
    succeeded_ = request_->state() == QWebEngineDownloadRequest::DownloadCompleted;
    finalSize_ = request_->receivedBytes();
    // Only a download that arrived is offered once it ended.
    if (!asked_ && succeeded_)
        askForHandler();
    finished_ = true;
    if (phase_ == Phase::Streaming) {
        schedulePump(0); // The IO thread reads the rest and ends the job.
        return;
    }
    removeStagingFiles();
    release();
}

void DownloadJob::cancel() {
    relay_ = nullptr;
    const bool streaming = phase_.exchange(Phase::Ended) == Phase::Streaming;
    for (const auto& connection : connections_)
        QObject::disconnect(connection);
    connections_.clear();
    stopRequest();
    removeStagingFiles();
    if (!streaming)
        return;
    // The handler belongs to the IO thread: it goes there, after any pump
    // under way; only when that thread is gone does it go here.
    auto self = shared_from_this();
    if (!Engine::postTo(TID_IO, [self] { self->releaseHandler(); }))
        releaseHandler();
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
        // A download that ended without a file arrived only if it was empty.
        if (finished)
            endStreaming(succeeded_ && finalSize_ == 0 && announcedSize_ <= 0, false);
        else
            schedulePump(std::min(IdlePollMs, PollMs << std::min(++idlePolls_, 5)));
        return;
    }
    if (stagingFileReplaced()) {
        // Before any byte was handed on, the file opened may have been an
        // empty one the browser reserved the name with, which it then
        // replaces with the file the bytes went to: open the name anew.
        // Bytes handed on from a file that is gone cannot be trusted.
        if (offset_ > 0) {
            endStreaming(false, true);
            return;
        }
        ::close(fd_);
        fd_ = -1;
        schedulePump(0);
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
            endStreaming(false, true);
            return;
        }
        offset_ += count;
    }
    // Every announced byte is here: the download is complete for the
    // handler, whatever Qt still does with its file.
    if (announcedSize_ > 0 && offset_ == announcedSize_) {
        endStreaming(true, false);
        return;
    }
    if (!finished) {
        schedulePump(PollMs);
        return;
    }
    // Without an announced length, only Qt can tell whether the transfer
    // ended as the server meant it to: a connection closed early, a
    // network error or a cut chunked body end the download as failed.
    endStreaming(succeeded_ && offset_ == finalSize_ && announcedSize_ < 0, false);
}

// Qt writes one file from start to end; a file that became shorter than what
// was read means the transfer started over. A file that no longer has a name
// was replaced by another one, or removed when Qt gave the download up.
bool DownloadJob::stagingFileReplaced() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        return true;
    return info.st_size < offset_ || info.st_nlink == 0;
}

bool DownloadJob::openStagingFile() {
    for (const QString& path : {stagingFile_ + InProgressSuffix, stagingFile_}) {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd_ >= 0)
            return true;
    }
    return false;
}

void DownloadJob::endStreaming(bool completed, bool cancelRequest) {
    // The UI thread may have cancelled the job meanwhile: then it ended there.
    Phase streaming = Phase::Streaming;
    if (!phase_.compare_exchange_strong(streaming, Phase::Ended))
        return;
    if (completed)
        handler_->Complete();
    releaseHandler();
    auto self = shared_from_this();
    Engine::postTo(TID_UI, [self, cancelRequest] {
        if (cancelRequest && self->request_ && !self->request_->isFinished()) {
            self->stopRequest(); // The files go once Qt reports the end.
            return;
        }
        if (self->finished_) {
            self->removeStagingFiles();
            self->release();
        }
    });
}

void DownloadJob::releaseHandler() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    handler_ = nullptr;
}

void DownloadJob::removeStagingFiles() const {
    QFile::remove(stagingFile_);
    QFile::remove(stagingFile_ + InProgressSuffix);
}

void DownloadJob::release() {
    for (const auto& connection : connections_)
        QObject::disconnect(connection);
    connections_.clear();
    if (relay_)
        std::exchange(relay_, nullptr)->forget(this);
}
