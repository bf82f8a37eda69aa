#include "service/HttpConnection.h"

#include "service/UpdateService.h"

#include <QTcpSocket>

namespace plenfox::service {

HttpConnection::HttpConnection(QTcpSocket* socket, UpdateService& service, QObject* parent)
    : QObject(parent), socket(socket), service(service) {
    socket->setParent(this);
    idleTimer.setSingleShot(true);
    connect(&idleTimer, &QTimer::timeout, this, [this] {
        this->socket->abort();
        deleteLater();
    });
    connect(socket, &QTcpSocket::readyRead, this, &HttpConnection::readAvailable);
    connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    idleTimer.start(IdleTimeoutMs);
    // Bytes may have arrived before the connection object existed.
    if (socket->bytesAvailable() > 0)
        QTimer::singleShot(0, this, &HttpConnection::readAvailable);
}

bool HttpConnection::takeHead(qsizetype headEnd) {
    request = HttpRequest::parseHead(buffer.left(headEnd));
    buffer.remove(0, headEnd + 4);
    if (!request) {
        respond(HttpResponse::error(400));
        return false;
    }
    if (!request->header("Transfer-Encoding").isNull()) {
        respond(HttpResponse::error(501));
        return false;
    }
    const QByteArray length = request->header("Content-Length");
    if (length.isNull()) {
        if (request->method == "POST" || request->method == "PUT") {
            respond(HttpResponse::error(411));
            return false;
        }
        bodyLength = 0;
    } else {
        bool valid = false;
        bodyLength = length.toLongLong(&valid);
        if (!valid || bodyLength < 0) {
            respond(HttpResponse::error(400));
            return false;
        }
        if (bodyLength > MaxBodyBytes) {
            respond(HttpResponse::error(413));
            return false;
        }
    }
    if (request->header("Expect").compare("100-continue", Qt::CaseInsensitive) == 0 &&
        buffer.size() < bodyLength)
        socket->write(QByteArrayLiteral("HTTP/1.1 100 Continue\r\n\r\n"));
    return true;
}

void HttpConnection::readAvailable() {
    if (answered) {
        socket->readAll(); // the answer is on its way; ignore the rest
        return;
    }
    idleTimer.start(IdleTimeoutMs);
    buffer += socket->readAll();
    if (!request) {
        const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
        if (headEnd < 0) {
            if (buffer.size() > MaxHeadBytes)
                respond(HttpResponse::error(431));
            return;
        }
        if (headEnd > MaxHeadBytes) {
            respond(HttpResponse::error(431));
            return;
        }
        if (!takeHead(headEnd))
            return;
    }
    if (buffer.size() < bodyLength)
        return;
    request->body = buffer.left(bodyLength);
    buffer.clear();
    respond(service.handle(*request));
}

void HttpConnection::respond(const HttpResponse& response) {
    answered = true;
    socket->write(response.toBytes(request && request->method == "HEAD"));
    // Closes once everything is written.
    socket->disconnectFromHost();
}

} // namespace plenfox::service
