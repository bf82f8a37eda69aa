#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefResponse.h"
#include <QString>

#include <atomic>
#include <cstdint>
#include <string_view>

namespace plenfox::cef {

// A response of the engine.
class NativeCefResponse final : public CefResponse {
public:
    static constexpr std::string_view JavaName = boundary::Kinds::Response.className;

    void dispose() override;
    QString getHeader(const QString& name) override;
    std::shared_ptr<CefHeaderMap> getHeaderMap() override;
    QString getMimeType() override;
    std::int32_t getStatus() override;
    QString getStatusText() override;
    void setHeaderMap(std::shared_ptr<CefHeaderMap> headerMap) override;
    void setMimeType(const QString& mimeType) override;
    void setStatus(std::int32_t status) override;
    void setStatusText(const QString& text) override;

    // The native object's address ("n_handleCefResponse"); only the bridge reads and writes it.
    std::atomic<std::int64_t> handle{0};
};

} // namespace plenfox::cef
