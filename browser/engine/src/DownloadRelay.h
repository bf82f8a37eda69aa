#pragma once

#include <memory>
#include <vector>

#include <QObject>
#include <QTemporaryDir>

class DownloadJob;
class Engine;
#include <QWebEngineDownloadRequest>

// Takes every download of the engine's profile into a private staging folder
// under a name of the engine's own, never one the page chose, and hands it to
// a DownloadJob. Lives on the UI thread.
class DownloadRelay : public QObject {
    Q_OBJECT
public:
    explicit DownloadRelay(Engine& engine);
    ~DownloadRelay() override;

    void onDownloadRequested(QWebEngineDownloadRequest* request);
    // Stops every download in progress.
    void cancelAll();
    // UI thread: forgets a job that has ended.
    void forget(const DownloadJob* job);
    QString stagingFolder() const { return staging_.path(); }

private:
    QTemporaryDir staging_;
    unsigned long long nextNumber_ = 1;
    std::vector<std::shared_ptr<DownloadJob>> jobs_;
};
