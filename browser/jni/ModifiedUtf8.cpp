#include "browser/jni/ModifiedUtf8.h"

namespace plenfox::jni {

namespace {

constexpr char16_t Replacement = 0xFFFD;

std::size_t unitLength(char16_t unit) {
    if (unit != 0 && unit < 0x80)
        return 1;
    if (unit < 0x800)
        return 2; // includes U+0000 as C0 80
    return 3;
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::size_t ModifiedUtf8::encodedLength(QStringView text) {
    std::size_t length = 0;
    for (QChar c : text)
        length += unitLength(c.unicode());
    return length;
}

std::string ModifiedUtf8::encode(const QString& text) {
    std::string bytes;
    bytes.reserve(encodedLength(text));
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        switch (unitLength(unit)) {
        case 1:
            bytes += static_cast<char>(unit);
            break;
        case 2:
            bytes += static_cast<char>(0xC0 | (unit >> 6));
            bytes += static_cast<char>(0x80 | (unit & 0x3F));
            break;
        default:
            bytes += static_cast<char>(0xE0 | (unit >> 12));
            bytes += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (unit & 0x3F));
            break;
        }
    }
    return bytes;
}

QString ModifiedUtf8::decode(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t at = 0;
    const auto byteAt = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    while (at < bytes.size()) {
        const unsigned char lead = byteAt(at);
        if (lead < 0x80) {
            text += QChar(char16_t(lead));
            at += 1;
        } else if ((lead & 0xE0) == 0xC0 && at + 1 < bytes.size() &&
                   isContinuation(byteAt(at + 1))) {
            text += QChar(char16_t(((lead & 0x1F) << 6) | (byteAt(at + 1) & 0x3F)));
            at += 2;
        } else if ((lead & 0xF0) == 0xE0 && at + 2 < bytes.size() &&
                   isContinuation(byteAt(at + 1)) && isContinuation(byteAt(at + 2))) {
            text += QChar(char16_t(((lead & 0x0F) << 12) | ((byteAt(at + 1) & 0x3F) << 6) |
                                   (byteAt(at + 2) & 0x3F)));
            at += 3;
        } else if ((lead & 0xF8) == 0xF0 && at + 3 < bytes.size() &&
                   isContinuation(byteAt(at + 1)) && isContinuation(byteAt(at + 2)) &&
                   isContinuation(byteAt(at + 3))) {
            const char32_t code = ((lead & 0x07) << 18) | ((byteAt(at + 1) & 0x3F) << 12) |
                                  ((byteAt(at + 2) & 0x3F) << 6) | (byteAt(at + 3) & 0x3F);
            if (code >= 0x10000 && code <= 0x10FFFF) {
                const char32_t units[] = {code};
                text += QString::fromUcs4(units, 1);
            } else {
                text += QChar(Replacement);
            }
            at += 4;
        } else {
            text += QChar(Replacement);
            at += 1;
        }
    }
    return text;
}

} // namespace plenfox::jni
