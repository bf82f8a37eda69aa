#pragma once

#include "browser/wrapper/CefEnumeration.h"

namespace plenfox::cef {

// What an element of posted data holds.
enum class CefPostDataElementType { EMPTY, BYTES, FILE };

} // namespace plenfox::cef

template <> struct plenfox::jni::JavaEnumTraits<plenfox::cef::CefPostDataElementType> {
    static constexpr std::string_view JavaName =
        "com/plenfox/lib/wrapper/cef/CefPostDataElementType";
};
