#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefRequest.h"
#include <QString>

#include <atomic>
#include <cstdint>
#include <string_view>

namespace plenfox::cef {

// A request of the engine.
class NativeCefRequest final : public CefRequest {
public:
    static constexpr std::string_view JavaName = boundary::Kinds::Request.className;

    void dispose() override;
    std::shared_ptr<CefHeaderMap> getHeaderMap() override;
    QString getMethod() override;
    std::shared_ptr<CefPostData> getPostData() override;
    QString getURL() override;
    void set(const QString& url, const QString& method, std::shared_ptr<CefPostData> postData,
             std::shared_ptr<CefHeaderMap> headerMap) override;
    void setHeaderMap(std::shared_ptr<CefHeaderMap> headerMap) override;
    void setMethod(const QString& method) override;
    void setPostData(std::shared_ptr<CefPostData> postData) override;
    void setURL(const QString& url) override;

    // The native object's address ("n_handleCefRequest"); only the bridge reads and writes it.
    std::atomic<std::int64_t> handle{0};
};

} // namespace plenfox::cef
