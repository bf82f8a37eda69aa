#include "lib/util/Escapes.h"

namespace plenfox::util {

QString Escapes::escapeXml(const QString& text) {
    QString escaped;
    escaped.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            escaped += QStringLiteral("&amp;");
            break;
        case '<':
            escaped += QStringLiteral("&lt;");
            break;
        case '>':
            escaped += QStringLiteral("&gt;");
            break;
        case '"':
            escaped += QStringLiteral("&quot;");
            break;
        case '\'':
            escaped += QStringLiteral("&apos;");
            break;
        default:
            escaped += c;
            break;
        }
    }
    return escaped;
}

QString Escapes::escapeHtml(const QString& text) {
    return escapeXml(text);
}

} // namespace plenfox::util
