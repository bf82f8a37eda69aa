#pragma once

#include "browser/jni/JavaObject.h"

#include <string_view>

namespace plenfox::cef {

// Stands for a script value. The bridge offers no operations on it.
class CefV8Value : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefV8Value";
};

} // namespace plenfox::cef
