#pragma once

#if defined(_WIN32)

#include "platform/RawRegistry.h"

namespace plenfox::platform {

// The registry through the Windows API, in its 32-bit view (KEY_WOW64_32KEY),
// where 32-bit installers record their programs also on 64-bit Windows. Only
// these calls need Windows; WindowsRegistry decodes what they return.
class Win32RawRegistry : public RawRegistry {
public:
    bool keyExists(const std::u16string& key) const override;
    std::optional<Value> readValue(const std::u16string& key,
                                   const std::u16string& valueName) const override;
};

} // namespace plenfox::platform

#endif
