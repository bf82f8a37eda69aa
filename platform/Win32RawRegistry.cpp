#if defined(_WIN32)

#include "platform/Win32RawRegistry.h"

#include <windows.h>

namespace plenfox::platform {

namespace {

// Windows' wide characters are UTF-16 code units.
LPCWSTR wide(const std::u16string& text) {
    return reinterpret_cast<LPCWSTR>(text.c_str());
}

// Closes the key on every path.
class OpenKey {
public:
    explicit OpenKey(const std::u16string& key) {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide(key), 0, KEY_READ | KEY_WOW64_32KEY, &handle) !=
            ERROR_SUCCESS)
            handle = nullptr;
    }
    ~OpenKey() {
        if (handle)
            RegCloseKey(handle);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY get() const { return handle; }

private:
    HKEY handle = nullptr;
};

} // namespace

bool Win32RawRegistry::keyExists(const std::u16string& key) const {
    return OpenKey(key).get() != nullptr;
}

std::optional<RawRegistry::Value>
Win32RawRegistry::readValue(const std::u16string& key, const std::u16string& valueName) const {
    const OpenKey open(key);
    if (!open.get())
        return std::nullopt;
    Value value;
    DWORD type = REG_NONE;
    LSTATUS status = ERROR_MORE_DATA;
    // The value may grow between the size query and the read: retry then.
    for (int attempt = 0; attempt < 4 && status == ERROR_MORE_DATA; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExW(open.get(), wide(valueName), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        value.bytes.resize(size);
        status = RegQueryValueExW(open.get(), wide(valueName), nullptr, &type, value.bytes.data(),
                                  &size);
        value.bytes.resize(size);
    }
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    value.type = type;
    return value;
}

} // namespace plenfox::platform

#endif
