#pragma once

#include "browser/jni/JavaObject.h"

#include <string_view>

namespace plenfox::cef {

// Stands for the features a page asks of a popup window. The bridge offers no operations on it.
class CefPopupFeatures : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefPopupFeatures";
};

} // namespace plenfox::cef
