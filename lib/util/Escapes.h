#pragma once

#include <QString>

namespace plenfox::util {

class Escapes {
public:
    // Replaces & < > " ' by their XML entities; other characters stay.
    static QString escapeXml(const QString& text);
    // The same replacement, for HTML text.
    static QString escapeHtml(const QString& text);
};

} // namespace plenfox::util
