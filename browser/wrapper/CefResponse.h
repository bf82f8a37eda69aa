#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefHeaderMap.h"

#include <QString>

#include <cstdint>
#include <memory>

#include <string_view>

namespace plenfox::cef {

// A response as the engine received it, or one the client makes up.
class CefResponse : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefResponse";

    virtual void dispose() = 0;
    virtual QString getHeader(const QString& name) = 0;
    virtual std::shared_ptr<CefHeaderMap> getHeaderMap() = 0;
    virtual QString getMimeType() = 0;
    virtual std::int32_t getStatus() = 0;
    virtual QString getStatusText() = 0;
    virtual void setHeaderMap(std::shared_ptr<CefHeaderMap> headerMap) = 0;
    virtual void setMimeType(const QString& mimeType) = 0;
    virtual void setStatus(std::int32_t status) = 0;
    virtual void setStatusText(const QString& text) = 0;
};

} // namespace plenfox::cef
