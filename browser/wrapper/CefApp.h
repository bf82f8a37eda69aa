#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefProxyHandler.h"
#include "browser/wrapper/CefResourceBundleHandler.h"

#include <memory>

#include <string_view>

namespace plenfox::cef {

// Application-wide handlers given to the engine at start; null means none.
class CefApp : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefApp";

    virtual std::shared_ptr<CefProxyHandler> getProxyHandler() = 0;
    virtual std::shared_ptr<CefResourceBundleHandler> getResourceBundleHandler() = 0;
};

} // namespace plenfox::cef
