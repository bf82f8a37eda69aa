#include "service/UpdateServiceThread.h"

#include "lib/util/Error.h"

#include <QEventLoop>
#include <exception>
#include <future>

namespace plenfox::service {

UpdateServiceThread::UpdateServiceThread(std::shared_ptr<const UpdateCatalog> catalog,
                                         quint16 port) {
    // Shared, so the promise outlives the moment its value is taken.
    auto started = std::make_shared<std::promise<UpdateService*>>();
    std::future<UpdateService*> ready = started->get_future();
    thread.reset(QThread::create([catalog = std::move(catalog), port, started] {
        std::unique_ptr<UpdateService> service;
        try {
            service = std::make_unique<UpdateService>(catalog);
            if (!service->listen(port))
                throw util::IoError(QStringLiteral("cannot listen on 127.0.0.1:") +
                                    QString::number(port) + QStringLiteral(": ") +
                                    service->errorString());
        } catch (...) {
            started->set_exception(std::current_exception());
            return;
        }
        started->set_value(service.get());
        // Runs until the thread is asked to quit (also when that happened
        // before the loop started); the service dies on this thread.
        QEventLoop loop;
        loop.exec();
    }));
    thread->start();
    try {
        running = ready.get();
    } catch (...) {
        thread->wait();
        throw;
    }
    listeningPort = running->port();
}

UpdateServiceThread::~UpdateServiceThread() {
    thread->quit();
    thread->wait();
}

QString UpdateServiceThread::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:") + QString::number(listeningPort);
}

} // namespace plenfox::service
