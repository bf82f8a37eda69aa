#pragma once

#include "browser/wrapper/CefContentFilter.h"
#include "browser/wrapper/CefValueBox.h"

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding a content filter or null.
class CefContentFilterBox final : public CefValueBox<std::shared_ptr<CefContentFilter>> {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefContentFilterBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
