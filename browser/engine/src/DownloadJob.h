#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include <QMetaObject>
#include <QPointer>
#include <QString>

#include "cef_download_handler.h"

class BrowserImpl;
class DownloadRelay;
class QWebEngineDownloadRequest;

// One download on its way from Qt WebEngine to a download handler. Qt writes
// the bytes into a staging file of the engine; once the length is known the
// request handler is asked for a download handler, and the IO thread streams
// the growing file's new bytes to it, in order, ending with Complete. The
// staging file is removed however the download ends.
class DownloadJob : public std::enable_shared_from_this<DownloadJob> {
public:
    DownloadJob(DownloadRelay& relay, QWebEngineDownloadRequest& request,
                CefRefPtr<BrowserImpl> browser, QString stagingFile);
    ~DownloadJob();
    DownloadJob(const DownloadJob&) = delete;
    DownloadJob& operator=(const DownloadJob&) = delete;

    // UI thread: accepts the download into the staging file and follows it.
    void start();
    // UI thread: stops the download; the handler hears nothing more.
    void cancel();

private:
    enum class Phase { Waiting, Streaming, Ended };

    void onProgress();
    void askForHandler();
    void onFinished();
    void schedulePump(int delayMs);
    void pump();
    bool openStagingFile();
    bool stagingFileReplaced() const;
    // Ends the job on the IO side; cancelRequest asks the UI thread to stop
    // Qt's download too.
    void endStreaming(bool cancelRequest);
    void removeStagingFiles() const;
    void release();

    DownloadRelay& relay_;
    QPointer<QWebEngineDownloadRequest> request_;
    CefRefPtr<BrowserImpl> browser_;
    const QString stagingFile_;
    bool asked_ = false;
    std::vector<QMetaObject::Connection> connections_;

    std::atomic<Phase> phase_{Phase::Waiting};
    // Set on the UI thread when Qt's download has ended.
    std::atomic<bool> finished_{false};
    std::atomic<bool> succeeded_{false};
    std::atomic<long long> finalSize_{-1};
    // The length the server announced, or -1.
    std::atomic<long long> announcedSize_{-1};
    CefRefPtr<CefDownloadHandler> handler_;

    // IO thread only.
    int fd_ = -1;
    long long offset_ = 0;
    std::vector<char> buffer_;
};
