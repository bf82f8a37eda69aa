#pragma once

#include "browser/wrapper/CefStreamReader.h"
#include "browser/wrapper/CefValueBox.h"

#include <string_view>

namespace plenfox::cef {

// Out-parameter holding a stream reader or null.
class CefStreamReaderBox final : public CefValueBox<std::shared_ptr<CefStreamReader>> {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefStreamReaderBox";
    using CefValueBox::CefValueBox;
};

} // namespace plenfox::cef
