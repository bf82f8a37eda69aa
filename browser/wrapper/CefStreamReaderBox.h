#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefStreamReader.h"
#include "browser/wrapper/CefValueBox.h"

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding a stream reader or null.
class CefStreamReaderBox final : public CefValueBox<std::shared_ptr<CefStreamReader>> {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefStreamReaderBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
