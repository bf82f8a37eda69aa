#include "service/HttpResponse.h"

namespace plenfox::service {

HttpResponse HttpResponse::of(int status, QByteArray contentType, QByteArray body) {
    HttpResponse response;
    response.status = status;
    response.contentType = std::move(contentType);
    response.body = std::move(body);
    return response;
}

HttpResponse HttpResponse::error(int status) {
    return of(status, QByteArrayLiteral("text/plain; charset=utf-8"),
              QByteArray::number(status) + ' ' + reasonPhrase(status) + '\n');
}

QByteArray HttpResponse::reasonPhrase(int status) {
    switch (status) {
    case 100:
        return QByteArrayLiteral("Continue");
    case 200:
        return QByteArrayLiteral("OK");
    case 400:
        return QByteArrayLiteral("Bad Request");
    case 404:
        return QByteArrayLiteral("Not Found");
    case 405:
        return QByteArrayLiteral("Method Not Allowed");
    case 408:
        return QByteArrayLiteral("Request Timeout");
    case 411:
        return QByteArrayLiteral("Length Required");
    case 413:
        return QByteArrayLiteral("Content Too Large");
    case 431:
        return QByteArrayLiteral("Request Header Fields Too Large");
    case 500:
        return QByteArrayLiteral("Internal Server Error");
    case 501:
        return QByteArrayLiteral("Not Implemented");
    case 503:
        return QByteArrayLiteral("Service Unavailable");
    default:
        return QByteArrayLiteral("Status");
    }
}

QByteArray HttpResponse::toBytes(bool headOnly) const {
    QByteArray bytes = QByteArrayLiteral("HTTP/1.1 ") + QByteArray::number(status) + ' ' +
                       reasonPhrase(status) + "\r\n";
    if (!contentType.isEmpty())
        bytes += "Content-Type: " + contentType + "\r\n";
    if (withContentLength)
        bytes += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    for (const auto& [name, value] : headers)
        bytes += name + ": " + value + "\r\n";
    bytes += "Connection: close\r\n\r\n";
    if (!headOnly)
        bytes += body;
    return bytes;
}

} // namespace plenfox::service
