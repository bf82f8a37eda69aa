#include "lib/utf8/ModifiedUtf8.h"

namespace plenfox::utf8 {

namespace {

constexpr char16_t Replacement = 0xFFFD;

std::size_t unitLength(char16_t unit) {
    if (unit != 0 && unit < 0x80)
        return 1;
    if (unit < 0x800)
        return 2; // also U+0000, as C0 80
    return 3;
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The shape of a sequence its lead byte starts.
struct Lead {
    int continuations; // -1: the byte cannot start a sequence
    char32_t bits;
    char32_t smallest; // below it the form is overlong
};

Lead leadOf(unsigned char byte) {
    if (byte < 0x80)
        return {0, byte, 0};
    if ((byte & 0xE0) == 0xC0)
        return {1, char32_t(byte & 0x1F), 0x80};
    if ((byte & 0xF0) == 0xE0)
        return {2, char32_t(byte & 0x0F), 0x800};
    if ((byte & 0xF8) == 0xF0)
        return {3, char32_t(byte & 0x07), 0x10000};
    return {-1, 0, 0};
}

void appendCodePoint(std::u16string& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        // Three-byte surrogates stay code units: the two halves of the
        // modified encoding join back into one character.
        out.push_back(static_cast<char16_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

} // namespace

std::size_t ModifiedUtf8::encodedLength(std::u16string_view text) {
    std::size_t length = 0;
    for (const char16_t unit : text)
        length += unitLength(unit);
    return length;
}

std::string ModifiedUtf8::encode(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(encodedLength(text));
    for (const char16_t unit : text) {
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

std::u16string ModifiedUtf8::decode(std::string_view bytes) {
    bool wellFormed = true;
    return decode(bytes, wellFormed);
}

std::u16string ModifiedUtf8::decode(std::string_view bytes, bool& wellFormed) {
    wellFormed = true;
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        const Lead lead = leadOf(static_cast<unsigned char>(bytes[at]));
        if (lead.continuations < 0) {
            text.push_back(Replacement);
            wellFormed = false;
            ++at;
            continue;
        }
        // A sequence cut short is replaced as a whole: the lead and the
        // continuation bytes that came.
        char32_t codePoint = lead.bits;
        std::size_t taken = 0;
        while (taken < std::size_t(lead.continuations) && at + 1 + taken < bytes.size() &&
               isContinuation(static_cast<unsigned char>(bytes[at + 1 + taken]))) {
            codePoint =
                (codePoint << 6) | (static_cast<unsigned char>(bytes[at + 1 + taken]) & 0x3F);
            ++taken;
        }
        at += 1 + taken;
        const bool complete = taken == std::size_t(lead.continuations);
        const bool modifiedNul = lead.continuations == 1 && codePoint == 0;
        if (!complete || (codePoint < lead.smallest && !modifiedNul) || codePoint > 0x10FFFF) {
            text.push_back(Replacement);
            wellFormed = false;
            continue;
        }
        appendCodePoint(text, codePoint);
    }
    return text;
}

} // namespace plenfox::utf8
