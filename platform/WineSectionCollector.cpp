#include "platform/WineSectionCollector.h"

#include "platform/WineText.h"

#include <cstring>

namespace plenfox::platform {

WineSectionCollector::WineSectionCollector(QStringList wanted)
    : keys(std::move(wanted)), matcher(keys), found(size_t(keys.size())), missing(keys.size()) {}

void WineSectionCollector::feed(QByteArrayView text) {
    const char* data = text.data();
    const qsizetype size = text.size();
    // The open key's lines go on from the start of this piece.
    qsizetype openFrom = 0;
    qsizetype pos = 0;
    while (pos < size) {
        const void* hit = std::memchr(data + pos, '[', size_t(size - pos));
        if (!hit)
            break;
        const qsizetype header = static_cast<const char*>(hit) - data;
        pos = header + 1;
        // Only a "[" that starts a line opens a key.
        if (header > 0 && data[header - 1] != '\n')
            continue;
        if (open >= 0) {
            found[size_t(open)]->append(data + openFrom, header - openFrom);
            open = -1;
            if (missing == 0)
                return;
        }
        const int k = keyOf(text.sliced(header + 1));
        // A key written twice counts where it first appears.
        if (k < 0 || found[size_t(k)])
            continue;
        WineText::nextLine(text, pos);
        found[size_t(k)] = QByteArray();
        open = k;
        openFrom = pos;
        --missing;
    }
    if (open >= 0)
        found[size_t(open)]->append(data + openFrom, size - openFrom);
}

int WineSectionCollector::keyOf(QByteArrayView raw) const {
    const int k = matcher.match(raw);
    if (k != WineHeaderMatcher::Undecided)
        return k;
    qsizetype length = 0;
    const QString name = WineText::unescape(raw, ']', length);
    for (qsizetype i = 0; length > 0 && i < keys.size(); ++i)
        if (name.compare(keys[i], Qt::CaseInsensitive) == 0)
            return int(i);
    return WineHeaderMatcher::None;
}

} // namespace plenfox::platform
