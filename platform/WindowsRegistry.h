#pragma once

#if defined(_WIN32)

#include "platform/Registry.h"

namespace plenfox::platform {

// The Windows registry, read through its 32-bit view (KEY_WOW64_32KEY), where
// 32-bit installers record their programs also on 64-bit Windows.
class WindowsRegistry : public Registry {
public:
    bool keyExists(const QString& key) const override;
    std::optional<Value> readValue(const QString& key, const QString& valueName) const override;
};

} // namespace plenfox::platform

#endif
