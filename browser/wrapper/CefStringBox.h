#pragma once

#include "browser/wrapper/CefValueBox.h"
#include <QString>

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding a text (null when there is none).
class CefStringBox final : public CefValueBox<QString> {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefStringBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
