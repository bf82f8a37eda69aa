#pragma once

#include "browser/wrapper/CefDownloadHandler.h"
#include "browser/wrapper/CefValueBox.h"

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding the handler that receives a download, or null to refuse it.
class CefDownloadHandlerBox final : public CefValueBox<std::shared_ptr<CefDownloadHandler>> {
public:
    static constexpr std::string_view JavaName =
        "com/plenfox/lib/wrapper/cef/CefDownloadHandlerBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
