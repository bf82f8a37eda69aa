#include "platform/WineHeaderMatcher.h"

#include "platform/WineText.h"

namespace plenfox::platform {

WineHeaderMatcher::WineHeaderMatcher(const QStringList& keys) {
    wide = keys.size() > 64;
    for (const QString& key : keys) {
        QByteArray lower;
        for (QChar c : key) {
            wide = wide || c.unicode() >= 0x80;
            lower += WineText::asciiLower(char(c.unicode()));
        }
        lowered.push_back(lower);
    }
}

int WineHeaderMatcher::match(QByteArrayView raw) const {
    if (wide)
        return Undecided;
    const int count = int(lowered.size());
    // The keys that still match what has been compared so far, one bit each.
    quint64 alive = count == 64 ? ~quint64(0) : (quint64(1) << count) - 1;
    for (qsizetype r = 0, k = 0;; ++k) {
        if (r >= raw.size())
            return None;
        char c = raw[r];
        if (c == ']') {
            for (int i = 0; i < count; ++i)
                if ((alive >> i & 1) && lowered[size_t(i)].size() == k)
                    return i;
            return None;
        }
        if (c == '\n' || c == '\r')
            return None;
        if (uchar(c) >= 0x80)
            return Undecided;
        if (c == '\\') {
            if (r + 1 >= raw.size())
                return None;
            c = raw[r + 1];
            if (c != '\\' && c != ']' && c != '"')
                return Undecided;
            r += 2;
        } else {
            ++r;
        }
        c = WineText::asciiLower(c);
        for (int i = 0; i < count; ++i)
            if ((alive >> i & 1) && (k >= lowered[size_t(i)].size() || lowered[size_t(i)][k] != c))
                alive &= ~(quint64(1) << i);
        if (!alive)
            return None;
    }
}

} // namespace plenfox::platform
