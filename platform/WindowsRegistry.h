#pragma once

#include "platform/RawRegistry.h"
#include "platform/Registry.h"

#include <memory>

namespace plenfox::platform {

// The Windows registry: keys and values read through the system's registry
// API (Win32RawRegistry on Windows; any RawRegistry in tests), the values
// decoded as Wine's are.
class WindowsRegistry : public Registry {
public:
    explicit WindowsRegistry(std::unique_ptr<const RawRegistry> api);

    bool keyExists(const QString& key) const override;
    std::optional<Value> readValue(const QString& key, const QString& valueName) const override;

private:
    std::unique_ptr<const RawRegistry> api;
};

} // namespace plenfox::platform
