#pragma once

#include <QString>
#include <cstdint>

namespace plenfox::client::model {

// Type tags of the object stream our data files are written in. Every value
// starts with one tag byte, so a reader can tell a value's type before
// reading it and reject what it does not expect.
enum class ObjectStreamTag : std::uint8_t {
    Null = 0,
    Bool = 1,
    Int = 2,       // 32-bit signed
    Long = 3,      // 64-bit signed
    Timestamp = 4, // milliseconds since the epoch, UTC
    String = 5,    // UTF-16, never null (null strings are written as Null)
    Path = 6,      // a file path, as UTF-16 text
    StringMap = 7, // entry count, then key and value as tagged values
    Record = 8,    // record type name, then the record's fields as tagged values
    List = 9,      // element count, then the elements as tagged values
};

struct ObjectStreamFormat {
    // Every stream starts with this magic text and the format version.
    static constexpr char Magic[4] = {'P', 'F', 'O', 'S'};
    static constexpr std::uint8_t Version = 1;

    static QString tagName(ObjectStreamTag tag);
    static bool isKnownTag(std::uint8_t value);
};

} // namespace plenfox::client::model
