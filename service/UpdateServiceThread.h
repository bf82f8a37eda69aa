#pragma once

#include "service/UpdateService.h"

#include <QString>
#include <QThread>
#include <memory>

namespace plenfox::service {

// Runs an UpdateService on a thread of its own with its own event loop, so a
// caller (a test, or a program without an event loop) can talk to it with
// blocking requests. The service stops when this object is destroyed.
class UpdateServiceThread {
public:
    // Starts the thread and waits until the service listens; throws IoError
    // when the zips cannot be built or the port cannot be opened.
    explicit UpdateServiceThread(std::shared_ptr<const UpdateCatalog> catalog, quint16 port = 0);
    ~UpdateServiceThread();
    UpdateServiceThread(const UpdateServiceThread&) = delete;
    UpdateServiceThread& operator=(const UpdateServiceThread&) = delete;

    quint16 port() const { return listeningPort; }
    // "http://127.0.0.1:<port>"
    QString baseUrl() const;
    // Only its thread-safe operations may be used from other threads.
    UpdateService& service() { return *running; }

private:
    std::unique_ptr<QThread> thread;
    UpdateService* running = nullptr;
    quint16 listeningPort = 0;
};

} // namespace plenfox::service
