#pragma once

#include "browser/wrapper/CefEnumeration.h"

namespace plenfox::cef {

// Entries of the browser's context menu.
enum class CefMenuId {
    NAV_BACK,
    NAV_FORWARD,
    NAV_RELOAD,
    NAV_RELOAD_NOCACHE,
    NAV_STOP,
    UNDO,
    REDO,
    CUT,
    COPY,
    PASTE,
    DELETE,
    SELECTALL,
    PRINT,
    VIEWSOURCE,
};

} // namespace plenfox::cef

template <> struct plenfox::jni::JavaEnumTraits<plenfox::cef::CefMenuId> {
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefMenuId";
};
