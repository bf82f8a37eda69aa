#pragma once

#include "browser/wrapper/CefClient.h"
#include "browser/wrapper/CefValueBox.h"

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding a client or null.
class CefClientBox final : public CefValueBox<std::shared_ptr<CefClient>> {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefClientBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
