#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace plenfox::jni {

// The JNI's text encoding: UTF-8 in which U+0000 is written as two bytes
// (C0 80) and every UTF-16 code unit of a surrogate pair is written on its own
// as three bytes, so that no encoded text contains a zero byte.
class ModifiedUtf8 {
public:
    static std::string encode(const QString& text);
    // Accepts the modified form and, as well, the four-byte sequences of
    // standard UTF-8, which native code often produces. Malformed bytes
    // become U+FFFD.
    static QString decode(std::string_view bytes);
    // Bytes the modified encoding of the text takes.
    static std::size_t encodedLength(QStringView text);
};

} // namespace plenfox::jni
