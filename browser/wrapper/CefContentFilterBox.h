#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefContentFilter.h"
#include "browser/wrapper/CefValueBox.h"

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding a content filter or null.
class CefContentFilterBox final : public CefValueBox<std::shared_ptr<CefContentFilter>> {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefContentFilterBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
