#pragma once

#include "browser/wrapper/CefValueBox.h"

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding a flag.
class CefBooleanBox final : public CefValueBox<bool> {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefBooleanBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
