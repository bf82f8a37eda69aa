// The engine's text type: UTF-16 code units, with conversions to and from
// UTF-8 for callers that hold narrow text.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "cef_export.h"

class CEF_EXPORT CefString {
public:
    CefString() = default;
    CefString(const char16_t* text);
    CefString(const char16_t* text, std::size_t length);
    CefString(std::u16string text) : str_(std::move(text)) {}
    // Narrow text is read as UTF-8 (see FromString).
    CefString(const char* utf8);
    CefString(const std::string& utf8);

    // Replaces the contents with UTF-8 text. Besides standard UTF-8 this also
    // reads the modified form in which U+0000 is two bytes and characters
    // beyond the basic plane are two three-byte surrogates. Each malformed
    // sequence becomes U+FFFD; the answer is false when any was found.
    bool FromString(const std::string& utf8);
    bool FromString(const char* utf8, std::size_t length);
    void FromString16(const std::u16string& text) { str_ = text; }

    // Standard UTF-8; an unpaired surrogate becomes U+FFFD.
    std::string ToString() const;
    const std::u16string& ToString16() const { return str_; }

    // The code units; never null, also for an empty string.
    const char16_t* c_str() const { return str_.c_str(); }
    std::size_t length() const { return str_.length(); }
    std::size_t size() const { return str_.size(); }
    bool empty() const { return str_.empty(); }
    void clear() { str_.clear(); }

    // Ordinal comparison of the UTF-16 code units.
    int compare(const CefString& other) const { return str_.compare(other.str_); }
    friend bool operator==(const CefString& a, const CefString& b) { return a.str_ == b.str_; }
    friend auto operator<=>(const CefString& a, const CefString& b) { return a.str_ <=> b.str_; }

private:
    std::u16string str_;
};

using CefStringList = std::vector<CefString>;
using CefStringMap = std::map<CefString, CefString>;
// Entries with equal keys keep the order in which they were inserted.
using CefStringMultimap = std::multimap<CefString, CefString>;

using cef_string_list_t = CefStringList;
