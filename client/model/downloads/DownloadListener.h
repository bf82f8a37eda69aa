#pragma once

#include <memory>

namespace plenfox::client::model {

class DownloadItem;

// Told of every change to the download list. Calls arrive on the event
// dispatcher's thread.
class DownloadListener {
public:
    virtual ~DownloadListener() = default;
    virtual void beforeRefreshDownloads() = 0;
    virtual void afterRefreshDownloads() = 0;
    virtual void downloadStarted(const std::shared_ptr<DownloadItem>& item) = 0;
    virtual void downloadProgress(const std::shared_ptr<DownloadItem>& item) = 0;
    virtual void downloadCompleted(const std::shared_ptr<DownloadItem>& item) = 0;
    virtual void downloadRemoved(const std::shared_ptr<DownloadItem>& item) = 0;
};

} // namespace plenfox::client::model
