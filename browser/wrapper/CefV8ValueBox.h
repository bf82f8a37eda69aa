#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefV8Value.h"
#include "browser/wrapper/CefValueBox.h"

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding a script value or null.
class CefV8ValueBox final : public CefValueBox<std::shared_ptr<CefV8Value>> {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefV8ValueBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
