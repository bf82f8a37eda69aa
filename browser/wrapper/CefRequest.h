#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefHeaderMap.h"
#include "browser/wrapper/CefPostData.h"

#include <QString>

#include <memory>

#include <string_view>

namespace plenfox::cef {

// A request the engine is about to send.
class CefRequest : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefRequest";

    virtual void dispose() = 0;
    virtual std::shared_ptr<CefHeaderMap> getHeaderMap() = 0;
    virtual QString getMethod() = 0;
    virtual std::shared_ptr<CefPostData> getPostData() = 0;
    virtual QString getURL() = 0;
    virtual void set(const QString& url, const QString& method,
                     std::shared_ptr<CefPostData> postData,
                     std::shared_ptr<CefHeaderMap> headerMap) = 0;
    virtual void setHeaderMap(std::shared_ptr<CefHeaderMap> headerMap) = 0;
    virtual void setMethod(const QString& method) = 0;
    virtual void setPostData(std::shared_ptr<CefPostData> postData) = 0;
    virtual void setURL(const QString& url) = 0;
};

} // namespace plenfox::cef
