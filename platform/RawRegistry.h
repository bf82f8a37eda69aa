#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plenfox::platform {

// The machine-wide registry (HKEY_LOCAL_MACHINE) as an operating system's API
// hands it out: keys relative to it with "\" separators, each value as its
// type number and its bytes, undecoded. Free of Qt, so the implementation
// over the Windows API needs the Windows headers alone.
class RawRegistry {
public:
    struct Value {
        // REG_SZ = 1 and so on.
        std::uint32_t type = 0;
        std::vector<std::uint8_t> bytes;
    };

    virtual ~RawRegistry() = default;

    virtual bool keyExists(const std::u16string& key) const = 0;
    // Absent when the key or the value is missing or cannot be read.
    virtual std::optional<Value> readValue(const std::u16string& key,
                                           const std::u16string& valueName) const = 0;
};

} // namespace plenfox::platform
