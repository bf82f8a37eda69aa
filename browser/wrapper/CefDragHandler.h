#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"

#include <string_view>

namespace plenfox::cef {

// Receives drag and drop. The engine never asks the client for it; it has no methods.
class CefDragHandler : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefDragHandler";
};

} // namespace plenfox::cef
