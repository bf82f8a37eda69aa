#pragma once

#include "client/model/Client.h"
#include "client/model/ClientRepository.h"
#include "client/model/downloads/DownloadListener.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/downloads/FileDownloader.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/wow/WowInstallation.h"
#include "tests/support/TestSupport.h"

#include <atomic>
#include <gtest/gtest.h>
#include <mutex>

namespace plenfox::test {

using client::model::DownloadItem;
using ItemPtr = std::shared_ptr<DownloadItem>;

// Records the download events (name and item) in delivery order, and stands
// in for the main window as the client's event handler.
class DownloadRecorder : public client::model::DownloadListener,
                         public client::model::ClientEventHandler {
public:
    struct Event {
        QString name;
        ItemPtr item;
    };
    void beforeRefreshDownloads() override { record("before", nullptr); }
    void afterRefreshDownloads() override { record("after", nullptr); }
    void downloadStarted(const ItemPtr& item) override { record("started", item); }
    void downloadProgress(const ItemPtr& item) override { record("progress", item); }
    void downloadCompleted(const ItemPtr& item) override { record("completed", item); }
    void downloadRemoved(const ItemPtr& item) override { record("removed", item); }

    client::model::AddonChangeListener* getAddonChangeListener() override { return nullptr; }
    client::model::ClientLifetimeListener* getClientLifetimeListener() override { return nullptr; }
    client::model::DownloadListener* getDownloadListener() override { return this; }
    client::model::DownloadRecognizerListener* getDownloadRecognizerListener() override {
        return nullptr;
    }
    client::model::UpdateListener* getUpdateListener() override { return nullptr; }

    std::vector<Event> take() {
        std::lock_guard guard(lock);
        return std::exchange(events, {});
    }

private:
    void record(const char* name, ItemPtr item) {
        std::lock_guard guard(lock);
        events.push_back({QString::fromLatin1(name), std::move(item)});
    }
    std::mutex lock;
    std::vector<Event> events;
};

// A started client on a scratch data folder, whose download manager reads a
// clock the test moves by hand.
class DownloadFixture : public ::testing::Test {
protected:
    void SetUp() override { startClient(); }
    void TearDown() override { stopClient(); }

    void startClient() {
        client = std::make_unique<client::model::Client>(
            &recorder, std::make_unique<client::model::ClientRepository>(dataFolder()),
            undetectedInstallation());
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
        return manager().createDownloader(
            {name, length, QStringLiteral("application/zip"), documentUrl, QString()});
    }
    // Waits until every event posted so far was delivered, with the events
    // they posted (a failed download posts its removal from the dispatcher).
    void flush() { settle(*client); }
    // The names of the events delivered since the last call.
    QStringList eventNames(std::vector<DownloadRecorder::Event>* events = nullptr) {
        flush();
        auto taken = recorder.take();
        QStringList names;
        for (const auto& event : taken)
            names << event.name;
        if (events)
            *events = std::move(taken);
        return names;
    }

    TestEnvironment env;
    DownloadRecorder recorder;
    std::unique_ptr<client::model::Client> client;
    std::atomic<qint64> now{1'000'000};
};

} // namespace plenfox::test
