#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"

#include <string_view>

namespace plenfox::cef {

// Stands for a script value. The bridge offers no operations on it.
class CefV8Value : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefV8Value";
};

} // namespace plenfox::cef
