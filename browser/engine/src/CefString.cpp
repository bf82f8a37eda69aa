#include "cef_string.h"

#include "lib/utf8/ModifiedUtf8.h"

#include <cstring>

namespace {

constexpr char16_t Replacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

CefString::CefString(const char16_t* text) {
    if (text)
        str_ = text;
}

CefString::CefString(const char16_t* text, std::size_t length) {
    if (text)
        str_.assign(text, length);
}

CefString::CefString(const char* utf8) {
    if (utf8)
        FromString(utf8, std::strlen(utf8));
}

CefString::CefString(const std::string& utf8) {
    FromString(utf8);
}

bool CefString::FromString(const std::string& utf8) {
    return FromString(utf8.data(), utf8.size());
}

bool CefString::FromString(const char* utf8, std::size_t length) {
    bool wellFormed = true;
    str_ = plenfox::utf8::ModifiedUtf8::decode(std::string_view(utf8, length), wellFormed);
    return wellFormed;
}

std::string CefString::ToString() const {
    std::string out;
    out.reserve(str_.size());
    for (std::size_t i = 0; i < str_.size(); ++i) {
        const char16_t unit = str_[i];
        if (isHighSurrogate(unit) && i + 1 < str_.size() && isLowSurrogate(str_[i + 1])) {
            const char32_t cp =
                0x10000 + ((char32_t(unit) - 0xD800) << 10) + (str_[i + 1] - 0xDC00);
            appendUtf8(out, cp);
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendUtf8(out, Replacement);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}
