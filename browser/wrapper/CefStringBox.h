#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefValueBox.h"
#include <QString>

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding a text (null when there is none).
class CefStringBox final : public CefValueBox<QString> {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefStringBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
