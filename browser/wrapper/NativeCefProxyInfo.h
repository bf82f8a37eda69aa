#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefProxyInfo.h"
#include <QString>

#include <atomic>
#include <cstdint>
#include <string_view>

namespace plenfox::cef {

// Proxy information of the engine.
class NativeCefProxyInfo final : public CefProxyInfo {
public:
    static constexpr std::string_view JavaName = boundary::Kinds::ProxyInfo.className;

    void dispose() override;
    QString getProxyList() override;
    std::int32_t getProxyType() override;
    void setProxyList(const QString& list) override;
    void setProxyType(std::int32_t type) override;

    // The native object's address ("n_handleCefProxyInfo"); only the bridge reads and writes it.
    std::atomic<std::int64_t> handle{0};
};

} // namespace plenfox::cef
