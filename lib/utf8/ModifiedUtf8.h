#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plenfox::utf8 {

// The text encoding of the Java Native Interface: UTF-8 in which every UTF-16
// code unit is written on its own (a character beyond the Basic Multilingual
// Plane becomes two three-byte surrogates) and U+0000 is written as C0 80, so
// that no encoded text holds a zero byte. Encoding and decoding are exact
// inverses for every UTF-16 string, lone surrogates included.
class ModifiedUtf8 {
public:
    static std::string encode(std::u16string_view text);
    // Bytes the encoding of the text takes.
    static std::size_t encodedLength(std::u16string_view text);

    // Reads the modified form and, as well, standard UTF-8 (four-byte
    // sequences become surrogate pairs), which native code often produces.
    // Whatever is malformed (a stray continuation byte, an overlong form
    // other than C0 80, a value beyond U+10FFFF, a sequence cut short)
    // becomes one U+FFFD per broken sequence.
    static std::u16string decode(std::string_view bytes);
    // As above; wellFormed tells whether nothing had to be replaced.
    static std::u16string decode(std::string_view bytes, bool& wellFormed);
};

} // namespace plenfox::utf8
