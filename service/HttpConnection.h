#pragma once

#include "service/HttpRequest.h"
#include "service/HttpResponse.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <optional>

class QTcpSocket;

namespace plenfox::service {

class UpdateService;

// One accepted connection of the reference service: reads one request
// (headers, then a body of the announced length), lets the service answer it
// and closes the connection once the answer is written. A connection that
// stays idle too long is dropped.
class HttpConnection : public QObject {
public:
    static constexpr qsizetype MaxHeadBytes = 64 * 1024;
    static constexpr qsizetype MaxBodyBytes = 16 * 1024 * 1024;
    static constexpr int IdleTimeoutMs = 30000;

    // Takes the socket over (it becomes this object's child).
    HttpConnection(QTcpSocket* socket, UpdateService& service, QObject* parent);

private:
    void readAvailable();
    // False when the head was answered with an error.
    bool takeHead(qsizetype headEnd);
    void respond(const HttpResponse& response);

    QTcpSocket* socket;
    UpdateService& service;
    QByteArray buffer;
    std::optional<HttpRequest> request;
    qsizetype bodyLength = 0;
    bool answered = false;
    QTimer idleTimer;
};

} // namespace plenfox::service
