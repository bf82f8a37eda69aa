#pragma once

#include "platform/RawRegistry.h"
#include "platform/Registry.h"

#include <memory>
#include <vector>

namespace plenfox::platform {

// The Windows registry: keys and values read through the system's registry
// API (Win32RawRegistry on Windows; any RawRegistry in tests), the values
// decoded as Wine's are. With several views (the 32-bit and the 64-bit one)
// a key exists when it exists in any, and a value is read from the first
// view that has it.
class WindowsRegistry : public Registry {
public:
    explicit WindowsRegistry(std::unique_ptr<const RawRegistry> api);
    explicit WindowsRegistry(std::vector<std::unique_ptr<const RawRegistry>> views);

    bool keyExists(const QString& key) const override;
    std::optional<Value> readValue(const QString& key, const QString& valueName) const override;

private:
    std::vector<std::unique_ptr<const RawRegistry>> views;
};

} // namespace plenfox::platform
