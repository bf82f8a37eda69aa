#include "platform/WineText.h"

#include <cstring>

namespace plenfox::platform {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = WineText::asciiLower(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

QByteArrayView WineText::nextLine(QByteArrayView text, qsizetype& pos) {
    const qsizetype start = pos;
    const void* found = std::memchr(text.data() + start, '\n', size_t(text.size() - start));
    qsizetype end = found ? static_cast<const char*>(found) - text.data() : text.size();
    pos = found ? end + 1 : text.size();
    if (end > start && text[end - 1] == '\r')
        --end;
    return text.sliced(start, end - start);
}

QString WineText::unescape(QByteArrayView raw, char end, qsizetype& length) {
    QString out;
    qsizetype i = 0;
    const qsizetype n = raw.size();
    while (i < n) {
        const char c = raw[i];
        if (c == end) {
            length = i + 1;
            return out;
        }
        // A quoted text never spans lines: Wine escapes line ends.
        if (c == '\n' || c == '\r')
            break;
        if (uchar(c) >= 0x80) {
            // Wine writes ASCII only; other bytes are taken as UTF-8.
            qsizetype run = i;
            while (run < n && uchar(raw[run]) >= 0x80)
                ++run;
            out += QString::fromUtf8(raw.sliced(i, run - i));
            i = run;
            continue;
        }
        if (c != '\\') {
            out += QChar(char16_t(c));
            ++i;
            continue;
        }
        if (i + 1 >= n)
            break;
        const char escape = raw[i + 1];
        i += 2;
        switch (escape) {
        case 'a':
            out += QChar(u'\a');
            break;
        case 'b':
            out += QChar(u'\b');
            break;
        case 'e':
            out += QChar(char16_t(27));
            break;
        case 'f':
            out += QChar(u'\f');
            break;
        case 'n':
            out += QChar(u'\n');
            break;
        case 'r':
            out += QChar(u'\r');
            break;
        case 't':
            out += QChar(u'\t');
            break;
        case 'v':
            out += QChar(u'\v');
            break;
        case 'x':
        case 'u': {
            // One UTF-16 code unit in up to four hex digits.
            char16_t unit = 0;
            int digits = 0;
            for (; digits < 4 && i < n && hexDigit(raw[i]) >= 0; ++digits, ++i)
                unit = char16_t(unit * 16 + hexDigit(raw[i]));
            out += digits ? QChar(unit) : QChar(char16_t(escape));
            break;
        }
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7': {
            // Up to three octal digits, the first one being `escape`.
            char16_t unit = char16_t(escape - '0');
            for (int digits = 1; digits < 3 && i < n && raw[i] >= '0' && raw[i] <= '7';
                 ++digits, ++i)
                unit = char16_t(unit * 8 + (raw[i] - '0'));
            out += QChar(unit);
            break;
        }
        default:
            // "\\", "\"", "\]" and any other escaped character stand for it.
            if (uchar(escape) >= 0x80)
                i -= 1;
            else
                out += QChar(char16_t(escape));
            break;
        }
    }
    length = -1;
    return out;
}

} // namespace plenfox::platform
