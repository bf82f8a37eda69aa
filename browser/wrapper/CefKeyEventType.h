#pragma once

#include "browser/wrapper/CefEnumeration.h"

namespace plenfox::cef {

// Kinds of key events.
enum class CefKeyEventType { RAWKEYDOWN, KEYDOWN, KEYUP, CHAR };

} // namespace plenfox::cef

template <> struct plenfox::jni::JavaEnumTraits<plenfox::cef::CefKeyEventType> {
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefKeyEventType";
};
