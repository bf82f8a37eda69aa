#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace plenfox::client {

// One running program per data folder, so that two starts never write the
// same data files. The first start takes a lock file in the data folder (it
// names the process, so the lock of a crashed start is taken over) and
// listens on a local socket named after the folder; a later start finds the
// lock taken and hands its command line to that socket instead of running.
class SingleInstance {
public:
    enum class Claim {
        First,    // this process holds the lock and listens for later starts
        Running,  // another process holds the lock: hand over and end
        Unlocked, // the lock file cannot be written (problem() says why)
    };

    explicit SingleInstance(std::filesystem::path dataFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    Claim claim();
    // Why the lock could not be taken, or why the first start cannot be
    // reached; empty otherwise.
    const QString& problem() const { return trouble; }
    // A later start: sends the arguments to the first one, waiting as long
    // as given for it to listen. False (and problem() says why) when nobody
    // takes them.
    bool handOver(const QStringList& arguments,
                  std::chrono::milliseconds wait = std::chrono::seconds(10));
    // The first start: the handler gets each later start's arguments on this
    // object's thread; those that came before it was set are passed at once.
    void onRequest(std::function<void(const QStringList&)> handler);

    // The socket: in the user's runtime folder (the temporary-files folder
    // without one), named after the data folder so that each data folder
    // has its own.
    static QString serverName(const std::filesystem::path& dataFolder);
    static std::filesystem::path lockFile(const std::filesystem::path& dataFolder);

private:
    void listen();
    void accept();
    void read(QLocalSocket* socket);
    void deliver(const QStringList& arguments);
    QString holderText() const;

    std::filesystem::path dataFolder;
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<QLocalServer> server;
    std::function<void(const QStringList&)> handler;
    std::vector<QStringList> waiting;
    QString trouble;
};

} // namespace plenfox::client
