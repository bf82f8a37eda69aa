#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefStringBox.h"

#include <cstdint>
#include <memory>

#include <string_view>

namespace plenfox::cef {

// Supplies the engine's localized texts.
class CefResourceBundleHandler : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName =
        PLENFOX_BOUNDARY_PACKAGE "CefResourceBundleHandler";

    // True when the box holds the text to use.
    virtual bool getLocalizedString(std::int32_t messageId, std::shared_ptr<CefStringBox> text) = 0;
};

} // namespace plenfox::cef
