#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"

#include <string_view>

namespace plenfox::cef {

// Stands for the features a page asks of a popup window. The bridge offers no operations on it.
class CefPopupFeatures : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefPopupFeatures";
};

} // namespace plenfox::cef
