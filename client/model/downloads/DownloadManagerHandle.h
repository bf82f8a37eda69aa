#pragma once

#include <QtGlobal>
#include <memory>
#include <mutex>
#include <vector>

namespace plenfox::client::model {

class DownloadItem;
class DownloadManager;

// The way a running download reaches the client's current download manager.
// The client owns one handle for its whole life and points it at the manager
// of each start-up, so a download that runs across a restart reports to the
// components of the new start-up. While no manager is attached (during a
// restart) completions and failures are held back and handed to the next
// manager when it is attached; progress reports are dropped.
class DownloadManagerHandle {
public:
    DownloadManagerHandle() = default;
    DownloadManagerHandle(const DownloadManagerHandle&) = delete;
    DownloadManagerHandle& operator=(const DownloadManagerHandle&) = delete;

    // Makes the manager the current one: it adopts the downloads still
    // running under the previous manager, then receives the reports held
    // back meanwhile.
    void attach(DownloadManager& manager);
    // Stops reports reaching the current manager, waiting for one that is
    // being delivered; remembers the downloads still running under it.
    void detach();

    // Detaches for good when the client goes: carried downloads and held
    // reports are dropped (they hold the handle, which would hold them), and
    // later reports reach nobody.
    void close();

    // The current manager's clock, or the system clock without a manager.
    qint64 currentTimeMs() const;

    void reportProgress(const std::shared_ptr<DownloadItem>& item);
    void reportComplete(const std::shared_ptr<DownloadItem>& item);
    void reportFailed(const std::shared_ptr<DownloadItem>& item);

private:
    enum class Report { Complete, Failed };
    void deliver(DownloadManager& target, Report report, const std::shared_ptr<DownloadItem>& item);
    void reportEnd(Report report, const std::shared_ptr<DownloadItem>& item);

    // Held while a report is delivered, so detach() never leaves a manager
    // that is still being called. Taken before the manager's own lock.
    mutable std::mutex lock;
    DownloadManager* manager = nullptr;
    std::vector<std::shared_ptr<DownloadItem>> running;
    std::vector<std::pair<Report, std::shared_ptr<DownloadItem>>> held;
    bool closed = false;
};

} // namespace plenfox::client::model
