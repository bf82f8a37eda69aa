#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefValueBox.h"

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding a flag.
class CefBooleanBox final : public CefValueBox<bool> {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefBooleanBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
