#include "client/model/WebAddress.h"

#include <QUrl>

namespace plenfox::client::model {

QString WebAddress::usable(const QString& text) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QStringLiteral("http") && scheme != QStringLiteral("https")))
        return QString();
    return url.toString(QUrl::FullyEncoded);
}

} // namespace plenfox::client::model
