#pragma once

#include <QString>

namespace plenfox::client::model {

// Normalizes the page URLs that downloads came from. On the addon site named
// by the prefix, a link whose last path segment is a number (a download id)
// stands for the page one level above it.
class UrlFilter {
public:
    // sitePrefix is the site's scheme, host and a closing slash. A URL that
    // starts with it, has at least 6 "/" and ends in "/" followed by digits
    // only (or nothing) loses that last "/" and the digits. Every other URL,
    // and a null one, is returned unchanged.
    static QString filter(const QString& url, const QString& sitePrefix);
};

} // namespace plenfox::client::model
