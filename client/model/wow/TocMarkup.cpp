#include "client/model/wow/TocMarkup.h"

#include <algorithm>

namespace plenfox::client::wow {

namespace {

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// The position after the closing code ("|t", "|a") that ends the element
// starting at `from`, or -1 when it is never closed.
qsizetype endOfElement(const QString& text, qsizetype from, QChar closing) {
    for (qsizetype i = from; i + 1 < text.size(); ++i)
        if (text[i] == u'|' && text[i + 1] == closing)
            return i + 2;
    return -1;
}

// A colour by name, "|cnGREEN_FONT_COLOR:", starting at `from`: the
// position after its colon, or -1.
qsizetype endOfColourName(const QString& text, qsizetype from) {
    if (from + 3 >= text.size() || text[from + 1] != u'c' || text[from + 2] != u'n')
        return -1;
    qsizetype i = from + 3;
    while (i < text.size() && (text[i].isLetterOrNumber() || text[i] == u'_'))
        ++i;
    return i > from + 3 && i < text.size() && text[i] == u':' ? i + 1 : -1;
}

} // namespace

QString TocMarkup::strip(const QString& text) {
    if (!text.contains(u'|'))
        return text;
    QString plain;
    plain.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] != u'|' || i + 1 == text.size()) {
            plain += text[i++];
            continue;
        }
        const QChar code = text[i + 1];
        if (code == u'|') {
            plain += u'|';
            i += 2;
        } else if ((code == u'c' || code == u'C') && i + 10 <= text.size() &&
                   std::all_of(text.begin() + i + 2, text.begin() + i + 10, isHexDigit)) {
            i += 10;
        } else if (const qsizetype named = endOfColourName(text, i); named > 0) {
            i = named;
        } else if (code == u'r' || code == u'R' || code == u'h') {
            i += 2;
        } else if (code == u'n') {
            plain += u' ';
            i += 2;
        } else if (code == u'T' || code == u'A' || code == u'H') {
            const QChar closing = code == u'T' ? u't' : code == u'A' ? u'a' : u'h';
            const qsizetype end = endOfElement(text, i + 2, closing);
            if (end < 0) {
                plain += text[i++];
                continue;
            }
            // A link keeps its shown text, which follows its closing "|h".
            i = end;
        } else {
            plain += text[i++];
        }
    }
    return plain;
}

bool TocMarkup::isDevelopmentVersion(const QString& version) {
    const qsizetype start = version.indexOf(u'@');
    if (start < 0)
        return false;
    const qsizetype end = version.indexOf(u'@', start + 1);
    if (end <= start + 1)
        return false;
    for (qsizetype i = start + 1; i < end; ++i) {
        const QChar c = version[i];
        if (!c.isLetterOrNumber() && c != u'-' && c != u'_')
            return false;
    }
    return true;
}

} // namespace plenfox::client::wow
