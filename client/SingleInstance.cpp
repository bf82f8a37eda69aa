#include "client/SingleInstance.h"

#include "lib/util/Paths.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <system_error>

namespace plenfox::client {

namespace fs = std::filesystem;

namespace {

// A command line is one line of JSON: an array of strings.
constexpr qint64 MaxMessageBytes = 64 * 1024;

fs::path normalFolder(const fs::path& folder) {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(folder, error);
    return error ? fs::absolute(folder, error).lexically_normal() : canonical;
}

QString runtimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
}

} // namespace

SingleInstance::SingleInstance(fs::path folder) : dataFolder(normalFolder(folder)) {}

SingleInstance::~SingleInstance() {
    if (server)
        server->close();
}

QString SingleInstance::serverName(const fs::path& dataFolder) {
    const QByteArray key = util::pathText(normalFolder(dataFolder)).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
    return QDir(runtimeFolder())
        .filePath(QStringLiteral("plenfoxclient-") + QString::fromLatin1(hash.left(16)));
}

fs::path SingleInstance::lockFile(const fs::path& dataFolder) {
    return normalFolder(dataFolder) / "Instance.lock";
}

SingleInstance::Claim SingleInstance::claim() {
    std::error_code error;
    fs::create_directories(dataFolder, error);
    lock = std::make_unique<QLockFile>(util::pathText(lockFile(dataFolder)));
    // The lock is held for the whole run: only a lock whose process is gone
    // is stale, never an old one.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        listen();
        return Claim::First;
    }
    if (lock->error() == QLockFile::LockFailedError)
        return Claim::Running;
    trouble = QStringLiteral("cannot write the lock file [") +
              util::pathText(lockFile(dataFolder)) + QStringLiteral("]");
    return Claim::Unlocked;
}

void SingleInstance::listen() {
    const QString name = serverName(dataFolder);
    // The lock says no other process uses the name: a socket file left
    // there is a crashed start's.
    QLocalServer::removeServer(name);
    server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(),
                     [this] { accept(); });
    if (!server->listen(name))
        trouble = QStringLiteral("later starts cannot reach this one: ") + server->errorString();
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [this, socket] { read(socket); });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        read(socket);
    }
}

void SingleInstance::read(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > MaxMessageBytes)
            socket->abort();
        return;
    }
    const QJsonDocument message = QJsonDocument::fromJson(socket->readLine(MaxMessageBytes));
    socket->disconnectFromServer();
    if (!message.isArray())
        return;
    QStringList arguments;
    for (const QJsonValue& value : message.array())
        arguments << value.toString();
    deliver(arguments);
}

void SingleInstance::deliver(const QStringList& arguments) {
    if (handler)
        handler(arguments);
    else
        waiting.push_back(arguments);
}

void SingleInstance::onRequest(std::function<void(const QStringList&)> newHandler) {
    handler = std::move(newHandler);
    std::vector<QStringList> earlier;
    earlier.swap(waiting);
    for (const QStringList& arguments : earlier)
        deliver(arguments);
}

bool SingleInstance::handOver(const QStringList& arguments, std::chrono::milliseconds wait) {
    const QByteArray message =
        QJsonDocument(QJsonArray::fromStringList(arguments)).toJson(QJsonDocument::Compact) + '\n';
    const QDeadlineTimer deadline(wait);
    QLocalSocket socket;
    // The first start may hold the lock but not listen yet.
    do {
        socket.connectToServer(serverName(dataFolder));
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
            break;
        socket.abort();
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    if (socket.state() == QLocalSocket::ConnectedState) {
        socket.write(message);
        // The peer reads what was written even after this side has gone.
        if (socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
            socket.disconnectFromServer();
            return true;
        }
    }
    trouble = holderText() +
              QStringLiteral(" but does not answer. If it no longer runs, delete [") +
              util::pathText(lockFile(dataFolder)) + QStringLiteral("].");
    return false;
}

QString SingleInstance::holderText() const {
    qint64 pid = 0;
    QString host;
    QString application;
    QString text = QStringLiteral("Another Plenfox Client uses the data folder [") +
                   util::pathText(dataFolder) + QLatin1Char(']');
    if (lock && lock->getLockInfo(&pid, &host, &application))
        text += QStringLiteral(" (process ") + QString::number(pid) + QStringLiteral(" on ") +
                host + QLatin1Char(')');
    return text;
}

} // namespace plenfox::client
