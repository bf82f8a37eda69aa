#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace plenfox::service {

// One HTTP/1.x request as the reference service received it.
struct HttpRequest {
    QByteArray method;
    QByteArray target; // as sent: path and query string
    QString path;      // percent-decoded path without the query string
    QByteArray query;  // raw query string, without "?"
    QList<std::pair<QByteArray, QByteArray>> headers; // in the order received
    QByteArray body;

    // The first value of the header (name compared ignoring case), or a null
    // QByteArray when the request has no such header.
    QByteArray header(const QByteArray& name) const;

    // Parses the request line and the header lines (the text before the blank
    // line). Nothing for a request that is not well-formed.
    static std::optional<HttpRequest> parseHead(const QByteArray& head);

    // The decoded value of a field of a form-encoded body ("+" is a space,
    // "%XX" a byte), or nothing when the body has no such field.
    static std::optional<QByteArray> formField(const QByteArray& body, const QByteArray& name);
};

} // namespace plenfox::service
