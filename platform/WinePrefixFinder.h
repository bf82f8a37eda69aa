#pragma once

#include "platform/WinePrefix.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <vector>

namespace plenfox::platform {

// Finds the Wine prefixes of a player, in this order: the one named by
// $WINEPREFIX; "~/.wine"; Lutris's prefixes ("~/Games/*" and those named
// in Lutris's game files); the prefixes Steam makes for each game
// ("steamapps/compatdata/*/pfx") in its usual places and in the library
// folders it lists. The search looks a fixed number of levels deep, never
// follows a link that leads out of the folder it searches (the home folder
// or a Steam library), and reads only.
class WinePrefixFinder {
public:
    using Log = std::function<void(const QString&)>;

    struct Found {
        WinePrefix prefix;
        // Where it was found, for the log: "WINEPREFIX", "~/.wine", ...
        QString source;
    };

    // Folders with more entries are examined only this far.
    static constexpr int MaxEntriesPerFolder = 4096;
    static constexpr int MaxSteamLibraries = 64;
    // Wine prefixes exist only where Windows does not.
#if defined(_WIN32)
    static constexpr bool Available = false;
#else
    static constexpr bool Available = true;
#endif

    // `home` may be empty (only $WINEPREFIX is then looked at); `winePrefix`
    // is the value of $WINEPREFIX when it is set.
    WinePrefixFinder(std::filesystem::path home, std::optional<QString> winePrefix, Log log);

    std::vector<Found> find() const;

private:
    class Search;

    std::filesystem::path home;
    std::optional<QString> winePrefix;
    Log log;
};

} // namespace plenfox::platform
