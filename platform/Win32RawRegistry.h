#pragma once

#if defined(_WIN32)

#include "platform/RawRegistry.h"

namespace plenfox::platform {

// The registry through the Windows API, in one of its views: the 32-bit view
// (KEY_WOW64_32KEY), where 32-bit installers record their programs also on
// 64-bit Windows, or the 64-bit view (KEY_WOW64_64KEY), where 64-bit ones do.
// Only these calls need Windows; WindowsRegistry decodes what they return.
class Win32RawRegistry : public RawRegistry {
public:
    enum class View { Bits32, Bits64 };

    explicit Win32RawRegistry(View view = View::Bits32) : view(view) {}

    bool keyExists(const std::u16string& key) const override;
    std::optional<Value> readValue(const std::u16string& key,
                                   const std::u16string& valueName) const override;

private:
    View view;
};

} // namespace plenfox::platform

#endif
