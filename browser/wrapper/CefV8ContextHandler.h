#pragma once

#include "browser/jni/JavaObject.h"

#include <string_view>

namespace plenfox::cef {

// Receives script contexts. The engine never asks the client for it; it has no methods.
class CefV8ContextHandler : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefV8ContextHandler";
};

} // namespace plenfox::cef
