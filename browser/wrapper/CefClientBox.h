#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefClient.h"
#include "browser/wrapper/CefValueBox.h"

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding a client or null.
class CefClientBox final : public CefValueBox<std::shared_ptr<CefClient>> {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefClientBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
