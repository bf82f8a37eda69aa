#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefDownloadHandler.h"
#include "browser/wrapper/CefValueBox.h"

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding the handler that receives a download, or null to refuse it.
class CefDownloadHandlerBox final : public CefValueBox<std::shared_ptr<CefDownloadHandler>> {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefDownloadHandlerBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
