#pragma once

#include <string>
#include <string_view>

namespace viewlink {

// The Java Native Interface passes text as "modified UTF-8": every UTF-16 code
// unit is encoded on its own (a character outside the Basic Multilingual Plane
// becomes two 3-byte surrogates) and U+0000 is written as C0 80. These two
// conversions are exact inverses for every UTF-16 string, so text survives a
// trip through the interface unchanged.

// Decodes modified UTF-8. A standard 4-byte UTF-8 sequence is accepted too and
// becomes a surrogate pair; a malformed byte becomes U+FFFD.
std::u16string fromModifiedUtf8(std::string_view text);

// Encodes UTF-16 code units as modified UTF-8 (a lone surrogate is kept).
std::string toModifiedUtf8(std::u16string_view text);

} // namespace viewlink
