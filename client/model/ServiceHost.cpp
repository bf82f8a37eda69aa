#include "client/model/ServiceHost.h"

#include <QStringList>
#include <QStringView>
#include <QtGlobal>
#include <algorithm>

namespace plenfox::client {

namespace {

// The host without its port; an IPv6 address keeps its brackets.
QString hostPart(const QString& hostAndPort) {
    if (hostAndPort.startsWith(QLatin1Char('['))) {
        const qsizetype end = hostAndPort.indexOf(QLatin1Char(']'));
        return end < 0 ? hostAndPort : hostAndPort.left(end + 1);
    }
    const qsizetype colon = hostAndPort.indexOf(QLatin1Char(':'));
    return colon < 0 ? hostAndPort : hostAndPort.left(colon);
}

// A number of one to five decimal digits and nothing else, or -1.
int smallNumber(QStringView text) {
    if (text.isEmpty() || text.size() > 5)
        return -1;
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

bool isLoopbackIpv4(const QString& host) {
    const QStringList parts = host.split(QLatin1Char('.'));
    if (parts.size() != 4 || parts[0] != QStringLiteral("127"))
        return false;
    return std::all_of(parts.begin(), parts.end(), [](const QString& part) {
        const int value = smallNumber(part);
        return value >= 0 && value <= 255;
    });
}

} // namespace

bool ServiceHost::isLoopback(const QString& hostAndPort) {
    const QString host = hostPart(hostAndPort).toLower();
    return host == QStringLiteral("localhost") || host == QStringLiteral("[::1]") ||
           isLoopbackIpv4(host);
}

QString ServiceHost::resolve(const QString& configured, const QByteArray& portOverride) {
    const int port = smallNumber(QString::fromLatin1(portOverride));
    if (port < 1 || port > 65535 || !isLoopback(configured))
        return configured;
    return hostPart(configured) + QLatin1Char(':') + QString::number(port);
}

QString ServiceHost::fromEnvironment(const QString& configured) {
    return resolve(configured, qgetenv(PortVariable));
}

} // namespace plenfox::client
