#pragma once

#include <QByteArray>
#include <QList>
#include <utility>

namespace plenfox::service {

// One HTTP response of the reference service. Every response closes the
// connection.
struct HttpResponse {
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    QList<std::pair<QByteArray, QByteArray>> headers; // beyond the standard ones
    // Without a length the body ends where the connection closes.
    bool withContentLength = true;

    static HttpResponse of(int status, QByteArray contentType, QByteArray body);
    static HttpResponse error(int status); // a short plain-text page

    // Status line, headers, blank line and (unless headOnly) the body.
    QByteArray toBytes(bool headOnly = false) const;
    static QByteArray reasonPhrase(int status);
};

} // namespace plenfox::service
