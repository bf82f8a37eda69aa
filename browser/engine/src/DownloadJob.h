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
// the bytes into a staging file of the engine; once Qt knows whether the
// server announced a length, the request handler is asked for a download
// handler (with -1 for an unknown length), and the IO thread streams the
// growing file's new bytes to it, in order.
//
// The job alone decides whether the download succeeded: Complete is called
// only when every byte arrived, and a download that ends any other way
// (connection closed, network or server error, started over, refused,
// cancelled, the engine stopping) releases its handler without Complete.
// The handler is always released on the IO thread while the engine runs.
// The staging file is removed however the download ends.
class DownloadJob : public std::enable_shared_from_this<DownloadJob> {
public:
    DownloadJob(DownloadRelay& relay, QWebEngineDownloadRequest& request,
                CefRefPtr<BrowserImpl> browser, QString stagingFile);
    ~DownloadJob();
    DownloadJob(const DownloadJob&) = delete;
    DownloadJob& operator=(const DownloadJob&) = delete;

    // UI thread: accepts the download into the staging file and follows it.
    void start();
    // UI thread: stops the download; the handler is released without
    // Complete. The relay is not told: it is the one cancelling.
    void cancel();

private:
    enum class Phase { Waiting, Streaming, Ended };

    void onProgress();
    void askForHandler();
    void onFinished();
    // UI thread: Qt's download ends as cancelled, and so the job as failed.
    void stopRequest();
    void schedulePump(int delayMs);
    void pump();
    bool openStagingFile();
    bool stagingFileReplaced() const;
    // IO thread: ends the job, telling the handler Complete when completed,
    // then releasing it. cancelRequest asks the UI thread to stop Qt's
    // download too. Does nothing when the job already ended.
    void endStreaming(bool completed, bool cancelRequest);
    // IO thread: lets go of the handler and the staging file.
    void releaseHandler();
    void removeStagingFiles() const;
    void release();

    // The relay while it lasts; cleared when it cancels the job.
    DownloadRelay* relay_;
    QPointer<QWebEngineDownloadRequest> request_;
    CefRefPtr<BrowserImpl> browser_;
    const QString stagingFile_;
    bool asked_ = false;
    // The most bytes Qt reported so far: fewer later means it started over.
    long long mostReceived_ = 0;
    std::vector<QMetaObject::Connection> connections_;

    std::atomic<Phase> phase_{Phase::Waiting};
    // Set on the UI thread when Qt's download has ended.
    std::atomic<bool> finished_{false};
    std::atomic<bool> succeeded_{false};
    std::atomic<long long> finalSize_{-1};
    // The length offered to the handler, or -1 when unknown.
    std::atomic<long long> announcedSize_{-1};
    // Set on the UI thread before the first pump, cleared on the IO thread.
    CefRefPtr<CefDownloadHandler> handler_;

    // IO thread only.
    int fd_ = -1;
    long long offset_ = 0;
    int idlePolls_ = 0;
    std::vector<char> buffer_;
};
