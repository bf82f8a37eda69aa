#include "client/model/downloads/UrlFilter.h"

#include <algorithm>

namespace plenfox::client::model {

namespace {
constexpr qsizetype MinimumSlashes = 6;
}

QString UrlFilter::filter(const QString& url, const QString& sitePrefix) {
    if (url.isNull() || sitePrefix.isEmpty() || !url.startsWith(sitePrefix))
        return url;
    const qsizetype lastSlash = url.lastIndexOf(QLatin1Char('/'));
    const QStringView tail = QStringView(url).mid(lastSlash + 1);
    const bool digitsOnly = std::all_of(tail.begin(), tail.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (digitsOnly && url.count(QLatin1Char('/')) >= MinimumSlashes)
        return url.left(lastSlash);
    return url;
}

} // namespace plenfox::client::model
