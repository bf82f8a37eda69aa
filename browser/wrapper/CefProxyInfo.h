#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"

#include <QString>

#include <cstdint>

#include <string_view>

namespace plenfox::cef {

// How the engine reaches the network for one address, filled in by a proxy
// handler.
class CefProxyInfo : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefProxyInfo";

    virtual void dispose() = 0;
    virtual QString getProxyList() = 0;
    virtual std::int32_t getProxyType() = 0;
    virtual void setProxyList(const QString& list) = 0;
    virtual void setProxyType(std::int32_t type) = 0;
};

} // namespace plenfox::cef
