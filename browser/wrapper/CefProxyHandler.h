#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefProxyInfo.h"

#include <QString>

#include <memory>

#include <string_view>

namespace plenfox::cef {

// Chooses the proxy for an address. The proxy info is valid only during the call.
class CefProxyHandler : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefProxyHandler";

    virtual void getProxyForUrl(QString url, std::shared_ptr<CefProxyInfo> proxyInfo) = 0;
};

} // namespace plenfox::cef
