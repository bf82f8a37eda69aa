#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"

#include <string_view>

namespace plenfox::cef {

// The body of a request, passed back to the engine as it is.
class CefPostData : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefPostData";
};

} // namespace plenfox::cef
