#pragma once

#include "browser/boundary/BoundaryNames.h"

#include <QString>

#include <cstdint>
#include <string_view>

namespace plenfox::cef {

// Desktop shell operations carried out by the bridge, and the show commands
// of the operating system's window functions.
class CefUtilities {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefUtilities";

    static constexpr std::int32_t SW_HIDE = 0;
    static constexpr std::int32_t SW_SHOWNORMAL = 1;
    static constexpr std::int32_t SW_MAXIMIZE = 3;
    static constexpr std::int32_t SW_SHOWMAXIMIZED = 3;
    static constexpr std::int32_t SW_SHOWNOACTIVATE = 4;
    static constexpr std::int32_t SW_SHOW = 5;
    static constexpr std::int32_t SW_MINIMIZE = 6;
    static constexpr std::int32_t SW_SHOWMINNOACTIVE = 7;
    static constexpr std::int32_t SW_SHOWNA = 8;
    static constexpr std::int32_t SW_RESTORE = 9;
    static constexpr std::int32_t SW_SHOWDEFAULT = 10;

    // Opens the folder holding the file in the desktop shell, the file selected.
    static void browseInShell(const QString& path);
    // The shell's execute operation on a file; null texts are passed as none.
    static void shellExecute(const QString& operation, const QString& file,
                             const QString& parameters, const QString& directory,
                             std::int32_t showCommand);
};

} // namespace plenfox::cef
