#pragma once

#include "client/model/Client.h"
#include "client/model/ClientEventHandler.h"
#include "client/model/ClientRepository.h"
#include "client/model/DownloadItem.h"
#include "client/model/DownloadListener.h"
#include "client/model/DownloadManager.h"
#include "client/model/EventDispatcher.h"
#include "client/model/FileDownloader.h"
#include "tests/TestSupport.h"

#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <vector>

namespace plenfox::test {

// Records every download event with its item, in delivery order.
class RecordingDownloadListener : public client::model::DownloadListener {
public:
    struct Event {
        QString name;
        std::shared_ptr<client::model::DownloadItem> item;
    };

    void beforeRefreshDownloads() override { record(QStringLiteral("before"), nullptr); }
    void afterRefreshDownloads() override { record(QStringLiteral("after"), nullptr); }
    void downloadStarted(const std::shared_ptr<client::model::DownloadItem>& item) override {
        record(QStringLiteral("started"), item);
    }
    void downloadProgress(const std::shared_ptr<client::model::DownloadItem>& item) override {
        record(QStringLiteral("progress"), item);
    }
    void downloadCompleted(const std::shared_ptr<client::model::DownloadItem>& item) override {
        record(QStringLiteral("completed"), item);
    }
    void downloadRemoved(const std::shared_ptr<client::model::DownloadItem>& item) override {
        record(QStringLiteral("removed"), item);
    }

    std::vector<Event> take() {
        std::lock_guard guard(lock);
        return std::exchange(events, {});
    }

private:
    void record(const QString& name, std::shared_ptr<client::model::DownloadItem> item) {
        std::lock_guard guard(lock);
        events.push_back({name, std::move(item)});
    }

    std::mutex lock;
    std::vector<Event> events;
};

class DownloadHandler : public client::model::ClientEventHandler {
public:
    explicit DownloadHandler(client::model::DownloadListener* listener) : listener(listener) {}
    client::model::AddonChangeListener* getAddonChangeListener() override { return nullptr; }
    client::model::ClientLifetimeListener* getClientLifetimeListener() override { return nullptr; }
    client::model::DownloadListener* getDownloadListener() override { return listener; }
    client::model::DownloadRecognizerListener* getDownloadRecognizerListener() override {
        return nullptr;
    }
    client::model::UpdateListener* getUpdateListener() override { return nullptr; }

private:
    client::model::DownloadListener* listener;
};

// A started client on a scratch data folder, a listener on its download
// manager, and a clock the test moves by hand.
class DownloadFixture : public ::testing::Test {
protected:
    void SetUp() override { startClient(); }
    void TearDown() override { stopClient(); }

    void startClient() {
        client = std::make_unique<client::model::Client>(
            &handler, std::make_unique<client::model::ClientRepository>(dataFolder()));
        ASSERT_TRUE(client->initialize());
        manager().setClock([this] { return now.load(); });
        recorder.take();
    }
    void stopClient() {
        if (client)
            client->shutdown();
        client.reset();
    }

    client::model::DownloadManager& manager() { return *client->getDownloadManager(); }
    std::filesystem::path dataFolder() const { return env.scratch() / "data"; }
    std::filesystem::path downloads() const { return dataFolder() / "downloads"; }

    std::shared_ptr<client::model::FileDownloader> start(const QString& name, qint64 length,
                                                         const QString& documentUrl = QString()) {
        client::model::DownloadAttributes attributes;
        attributes.fileName = name;
        attributes.contentLength = length;
        attributes.mimeType = QStringLiteral("application/zip");
        attributes.documentUrl = documentUrl;
        return manager().createDownloader(attributes);
    }
    // Waits until every event posted so far was delivered.
    void flush() { client->getEventDispatcher()->sink(); }
    std::vector<RecordingDownloadListener::Event> events() {
        flush();
        return recorder.take();
    }
    static QStringList names(const std::vector<RecordingDownloadListener::Event>& events) {
        QStringList result;
        for (const auto& event : events)
            result << event.name;
        return result;
    }

    TestEnvironment env;
    RecordingDownloadListener recorder;
    DownloadHandler handler{&recorder};
    std::unique_ptr<client::model::Client> client;
    std::atomic<qint64> now{1'000'000};
};

} // namespace plenfox::test
