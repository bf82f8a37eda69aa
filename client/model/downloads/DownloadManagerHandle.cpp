#include "client/model/downloads/DownloadManagerHandle.h"

#include "client/model/downloads/DownloadItem.h"
#include "client/model/downloads/DownloadManager.h"

#include <QDateTime>

namespace plenfox::client::model {

void DownloadManagerHandle::attach(DownloadManager& next) {
    std::lock_guard guard(lock);
    if (closed)
        return;
    manager = &next;
    next.adoptRunning(std::exchange(running, {}));
    for (const auto& [report, item] : std::exchange(held, {}))
        deliver(next, report, item);
}

void DownloadManagerHandle::close() {
    std::lock_guard guard(lock);
    manager = nullptr;
    closed = true;
    running.clear();
    held.clear();
}

void DownloadManagerHandle::detach() {
    std::lock_guard guard(lock);
    if (!manager)
        return;
    for (const auto& item : manager->getDownloads())
        if (item->inProgress())
            running.push_back(item);
    manager = nullptr;
}

qint64 DownloadManagerHandle::currentTimeMs() const {
    std::lock_guard guard(lock);
    return manager ? manager->currentTimeMs() : QDateTime::currentMSecsSinceEpoch();
}

void DownloadManagerHandle::reportProgress(const std::shared_ptr<DownloadItem>& item) {
    std::lock_guard guard(lock);
    if (manager)
        manager->onDownloadProgress(item);
}

void DownloadManagerHandle::reportComplete(const std::shared_ptr<DownloadItem>& item) {
    reportEnd(Report::Complete, item);
}

void DownloadManagerHandle::reportFailed(const std::shared_ptr<DownloadItem>& item) {
    reportEnd(Report::Failed, item);
}

void DownloadManagerHandle::reportEnd(Report report, const std::shared_ptr<DownloadItem>& item) {
    std::lock_guard guard(lock);
    if (manager)
        deliver(*manager, report, item);
    else if (!closed)
        held.emplace_back(report, item);
}

void DownloadManagerHandle::deliver(DownloadManager& target, Report report,
                                    const std::shared_ptr<DownloadItem>& item) {
    if (report == Report::Complete)
        target.onDownloadComplete(item);
    else
        target.onDownloadFailed(item);
}

} // namespace plenfox::client::model
