#pragma once

#include "client/model/downloads/DownloadListener.h"
#include "client/model/events/ListenerMultiplexer.h"

namespace plenfox::client::model {

class DownloadListenerMultiplexer : public DownloadListener,
                                    public ListenerMultiplexer<DownloadListener> {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.DownloadListenerMultiplexer");

    DownloadListenerMultiplexer() : ListenerMultiplexer(Prefix) {}

    void beforeRefreshDownloads() override {
        fire([](DownloadListener& l) { l.beforeRefreshDownloads(); });
    }
    void afterRefreshDownloads() override {
        fire([](DownloadListener& l) { l.afterRefreshDownloads(); });
    }
    void downloadStarted(const std::shared_ptr<DownloadItem>& item) override {
        fire([&](DownloadListener& l) { l.downloadStarted(item); });
    }
    void downloadProgress(const std::shared_ptr<DownloadItem>& item) override {
        fire([&](DownloadListener& l) { l.downloadProgress(item); });
    }
    void downloadCompleted(const std::shared_ptr<DownloadItem>& item) override {
        fire([&](DownloadListener& l) { l.downloadCompleted(item); });
    }
    void downloadRemoved(const std::shared_ptr<DownloadItem>& item) override {
        fire([&](DownloadListener& l) { l.downloadRemoved(item); });
    }
};

} // namespace plenfox::client::model
