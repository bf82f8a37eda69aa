#include "platform/WineSectionFinder.h"

#include "platform/WineHeaderSearch.h"
#include "platform/WineSectionCollector.h"
#include "platform/WineText.h"

#include <cstring>

namespace plenfox::platform {

namespace {

// Whether `text` starts with the lower-case `prefix`, ignoring ASCII letter case.
bool startsCaseless(QByteArrayView text, QByteArrayView prefix) {
    if (text.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i)
        if (WineText::asciiLower(text[i]) != prefix[i])
            return false;
    return true;
}

} // namespace

std::vector<std::optional<QByteArray>> WineSectionFinder::find(QByteArrayView text,
                                                               const QStringList& keys) {
    std::vector<QByteArray> headers;
    for (const QString& key : keys) {
        std::optional<QByteArray> header = plainHeader(key);
        if (!header) {
            WineSectionCollector collector(keys);
            collector.feed(text);
            return collector.take();
        }
        headers.push_back(std::move(*header));
    }
    return plainSections(text, headers);
}

std::optional<QByteArray> WineSectionFinder::plainHeader(const QString& key) {
    QByteArray out = "[";
    for (const QChar c : key) {
        const char16_t unit = c.unicode();
        if (unit < 0x20 || unit >= 0x7f || unit == u'"' || unit == u'[')
            return std::nullopt;
        if (unit == u'\\' || unit == u']')
            out += '\\';
        out += WineText::asciiLower(char(unit));
    }
    return out + ']';
}

std::vector<std::optional<QByteArray>>
WineSectionFinder::plainSections(QByteArrayView text, const std::vector<QByteArray>& headers) {
    std::vector<QByteArray> lines;
    for (const QByteArray& header : headers)
        lines.push_back('\n' + header);
    const std::vector<qsizetype> places = WineHeaderSearch(std::move(lines)).firstPlacesIn(text);
    std::vector<std::optional<QByteArray>> found;
    for (size_t k = 0; k < headers.size(); ++k) {
        // A header starts a line, or the text.
        qsizetype start = places[k] >= 0 ? places[k] + 1 : -1;
        if (startsCaseless(text, headers[k]))
            start = 0;
        if (start < 0) {
            found.emplace_back();
            continue;
        }
        qsizetype from = start;
        WineText::nextLine(text, from);
        found.emplace_back(text.sliced(from, sectionEnd(text, from) - from).toByteArray());
    }
    return found;
}

qsizetype WineSectionFinder::sectionEnd(QByteArrayView text, qsizetype from) {
    const char* data = text.data();
    for (qsizetype pos = from; pos < text.size();) {
        const void* hit = std::memchr(data + pos, '[', size_t(text.size() - pos));
        if (!hit)
            break;
        const qsizetype header = static_cast<const char*>(hit) - data;
        if (header == 0 || data[header - 1] == '\n')
            return header;
        pos = header + 1;
    }
    return text.size();
}

} // namespace plenfox::platform
