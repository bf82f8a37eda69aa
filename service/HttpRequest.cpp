#include "service/HttpRequest.h"

#include <QUrl>

namespace plenfox::service {

QByteArray HttpRequest::header(const QByteArray& name) const {
    for (const auto& [key, value] : headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return QByteArray();
}

std::optional<HttpRequest> HttpRequest::parseHead(const QByteArray& head) {
    const QList<QByteArray> lines = head.split('\n');
    if (lines.isEmpty())
        return std::nullopt;
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    if (requestLine.size() != 3 || !requestLine[2].startsWith("HTTP/1.") ||
        requestLine[0].isEmpty() || !requestLine[1].startsWith('/'))
        return std::nullopt;

    HttpRequest request;
    request.method = requestLine[0];
    request.target = requestLine[1];
    const qsizetype mark = request.target.indexOf('?');
    const QByteArray rawPath = mark < 0 ? request.target : request.target.left(mark);
    request.query = mark < 0 ? QByteArray() : request.target.mid(mark + 1);
    request.path = QUrl::fromPercentEncoding(rawPath);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return std::nullopt;
        request.headers.emplace_back(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
    }
    return request;
}

std::optional<QByteArray> HttpRequest::formField(const QByteArray& body, const QByteArray& name) {
    for (const QByteArray& field : body.split('&')) {
        const qsizetype equals = field.indexOf('=');
        const QByteArray key = equals < 0 ? field : field.left(equals);
        if (key != name)
            continue;
        QByteArray value = equals < 0 ? QByteArray() : field.mid(equals + 1);
        value.replace('+', ' ');
        return QByteArray::fromPercentEncoding(value);
    }
    return std::nullopt;
}

} // namespace plenfox::service
