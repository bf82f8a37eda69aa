#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefBrowserSettings.h"

#include <atomic>
#include <cstdint>
#include <string_view>

namespace plenfox::cef {

// A settings record owned by its handle; each operation reads or writes one field.
class NativeCefBrowserSettings final : public CefBrowserSettings {
public:
    static constexpr std::string_view JavaName = boundary::Kinds::BrowserSettings.className;

    void dispose() override;

#define PLENFOX_OVERRIDE_SETTING(Type, Name)                                                       \
    Type get##Name() override;                                                                     \
    void set##Name(const Type& value) override;
    PLENFOX_CEF_BROWSER_SETTINGS(PLENFOX_OVERRIDE_SETTING)
#undef PLENFOX_OVERRIDE_SETTING

    // The native record's address ("n_handleCefBrowserSettings"); only the bridge reads and writes
    // it.
    std::atomic<std::int64_t> handle{0};
};

} // namespace plenfox::cef
