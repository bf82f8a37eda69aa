#pragma once

#include "browser/jni/JavaObject.h"

#include <string_view>

namespace plenfox::cef {

// Receives off-screen painting. The engine never asks the client for it; it has no methods.
class CefRenderHandler : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefRenderHandler";
};

} // namespace plenfox::cef
