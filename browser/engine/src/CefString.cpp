#include "cef_string.h"

#include <cstring>

namespace {

constexpr char16_t Replacement = 0xFFFD;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

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
    str_.clear();
    str_.reserve(length);
    bool valid = true;
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8);
    std::size_t i = 0;
    while (i < length) {
        const unsigned char lead = bytes[i];
        int extra = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            str_ += static_cast<char16_t>(lead);
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
            minimum = 0x10000;
        } else {
            str_ += Replacement;
            valid = false;
            ++i;
            continue;
        }
        int taken = 0;
        while (taken < extra && i + 1 + taken < length && isContinuation(bytes[i + 1 + taken])) {
            cp = (cp << 6) | (bytes[i + 1 + taken] & 0x3F);
            ++taken;
        }
        if (taken < extra) {
            str_ += Replacement;
            valid = false;
            i += 1 + taken;
            continue;
        }
        i += 1 + extra;
        // The two-byte form of U+0000 is the modified encoding's NUL.
        const bool modifiedNul = extra == 1 && cp == 0;
        if ((cp < minimum && !modifiedNul) || cp > 0x10FFFF) {
            str_ += Replacement;
            valid = false;
        } else if (cp >= 0x10000) {
            cp -= 0x10000;
            str_ += static_cast<char16_t>(0xD800 + (cp >> 10));
            str_ += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            // Three-byte surrogates are kept as code units, which joins the
            // pairs of the modified encoding back into one character.
            str_ += static_cast<char16_t>(cp);
        }
    }
    return valid;
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

std::string CefString::ToModifiedUtf8() const {
    std::string out;
    out.reserve(str_.size());
    for (const char16_t unit : str_) {
        if (unit == 0) {
            out += static_cast<char>(0xC0);
            out += static_cast<char>(0x80);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}
