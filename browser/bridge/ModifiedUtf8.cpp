#include "browser/bridge/ModifiedUtf8.h"

namespace viewlink {

namespace {

constexpr char16_t Replacement = 0xFFFD;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Number of continuation bytes after lead, or -1 when lead cannot start a sequence.
int continuationCount(unsigned char lead) {
    if (lead < 0x80)
        return 0;
    if ((lead & 0xE0) == 0xC0)
        return 1;
    if ((lead & 0xF0) == 0xE0)
        return 2;
    if ((lead & 0xF8) == 0xF0)
        return 3;
    return -1;
}

void appendCodePoint(std::u16string& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        out.push_back(static_cast<char16_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

} // namespace

std::u16string fromModifiedUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = continuationCount(lead);
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size()) {
            out.push_back(Replacement);
            ++i;
            continue;
        }
        char32_t codePoint = extra == 0 ? lead : lead & (0x3F >> extra);
        bool wellFormed = true;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (!isContinuation(next)) {
                wellFormed = false;
                break;
            }
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (!wellFormed || codePoint > 0x10FFFF) {
            out.push_back(Replacement);
            ++i;
            continue;
        }
        appendCodePoint(out, codePoint);
        i += extra + 1;
    }
    return out;
}

std::string toModifiedUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (const char16_t unit : text) {
        if (unit != 0 && unit < 0x80) {
            out.push_back(static_cast<char>(unit));
        } else if (unit < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (unit >> 6)));
            out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (unit >> 12)));
            out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
        }
    }
    return out;
}

} // namespace viewlink
