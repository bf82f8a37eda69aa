#include "platform/WinePrefixFinder.h"

#include "lib/util/Paths.h"
#include "platform/LutrisGameFile.h"
#include "platform/SteamLibraryFolders.h"

#include <algorithm>
#include <system_error>

namespace plenfox::platform {

namespace fs = std::filesystem;
using util::pathText;
using util::toPath;

namespace {

QString quoted(const fs::path& path) {
    return QLatin1Char('[') + pathText(path) + QLatin1Char(']');
}

// Whether `path` is `folder` or lies below it; both are canonical.
bool within(const fs::path& path, const fs::path& folder) {
    auto inner = path.begin();
    for (auto outer = folder.begin(); outer != folder.end(); ++outer, ++inner) {
        if (outer->empty() && std::next(outer) == folder.end())
            break; // trailing separator
        if (inner == path.end() || *inner != *outer)
            return false;
    }
    return true;
}

} // namespace

// One run of find(): the prefixes found so far and the folders known.
class WinePrefixFinder::Search {
public:
    explicit Search(const WinePrefixFinder& finder) : finder(finder) {}

    void run() {
        if (finder.winePrefix && !finder.winePrefix->isEmpty())
            consider(toPath(*finder.winePrefix), std::nullopt, QStringLiteral("WINEPREFIX"));
        if (finder.home.empty())
            return;
        std::error_code error;
        home = fs::canonical(finder.home, error);
        if (error) {
            finder.log(QStringLiteral("Cannot search the home folder ") + quoted(finder.home) +
                       QStringLiteral(": ") + QString::fromStdString(error.message()));
            return;
        }
        consider(home / ".wine", home, QStringLiteral("~/.wine"));
        for (const fs::path& game : entries(home / "Games", home))
            consider(game, home, QStringLiteral("Lutris (~/Games)"));
        for (const char* folder : {".config/lutris/games", ".local/share/lutris/games"})
            for (const fs::path& file : entries(home / folder, home))
                if (file.extension() == ".yml")
                    lutrisGameFile(file);
        for (const char* folder : {".steam/steam", ".local/share/Steam",
                                   ".var/app/com.valvesoftware.Steam/.local/share/Steam"})
            steam(home / folder);
    }

    std::vector<Found> found;

private:
    // Canonical form of `path` when it exists, lies within `fence` (when
    // given) and is no link loop; problems other than absence are logged.
    std::optional<fs::path> inspect(const fs::path& path, const std::optional<fs::path>& fence) {
        std::error_code error;
        const fs::path real = fs::canonical(path, error);
        if (error) {
            // Missing places are the rule when searching, news when named.
            if (error != std::errc::no_such_file_or_directory || !fence)
                finder.log(QStringLiteral("Skipping ") + quoted(path) + QStringLiteral(": ") +
                           QString::fromStdString(error.message()));
            return std::nullopt;
        }
        if (fence && !within(real, *fence)) {
            finder.log(QStringLiteral("Skipping ") + quoted(path) +
                       QStringLiteral(": it links out of ") + quoted(*fence));
            return std::nullopt;
        }
        return real;
    }

    // The entries of a folder, sorted by name; at most MaxEntriesPerFolder.
    std::vector<fs::path> entries(const fs::path& folder, const fs::path& fence) {
        std::vector<fs::path> names;
        const std::optional<fs::path> real = inspect(folder, fence);
        std::error_code error;
        if (!real || !fs::is_directory(*real, error))
            return names;
        fs::directory_iterator it(*real, error);
        for (; !error && it != fs::directory_iterator(); it.increment(error)) {
            if (names.size() >= size_t(MaxEntriesPerFolder)) {
                finder.log(QStringLiteral("Looking at the first ") +
                           QString::number(MaxEntriesPerFolder) + QStringLiteral(" entries of ") +
                           quoted(*real) + QStringLiteral(" only"));
                break;
            }
            names.push_back(it->path());
        }
        if (error)
            finder.log(QStringLiteral("Cannot list ") + quoted(*real) + QStringLiteral(": ") +
                       QString::fromStdString(error.message()));
        std::sort(names.begin(), names.end());
        return names;
    }

    void consider(const fs::path& path, const std::optional<fs::path>& fence,
                  const QString& source) {
        const std::optional<fs::path> real = inspect(path, fence);
        if (!real)
            return;
        if (!WinePrefix::isPrefix(*real)) {
            // Only a prefix named on purpose is worth a line when it is none.
            if (!fence)
                finder.log(QStringLiteral("Not a Wine prefix: ") + quoted(*real) +
                           QStringLiteral(" (") + source + QLatin1Char(')'));
            return;
        }
        if (!seen.insert(*real).second)
            return;
        found.push_back(Found{WinePrefix(*real), source});
    }

    void lutrisGameFile(const fs::path& file) {
        const std::optional<fs::path> real = inspect(file, home);
        if (!real)
            return;
        QString problem;
        std::optional<QString> prefix = LutrisGameFile::readPrefix(*real, problem);
        if (!prefix) {
            if (!problem.isEmpty())
                finder.log(QStringLiteral("Cannot read ") + quoted(file) + QStringLiteral(": ") +
                           problem);
            return;
        }
        if (*prefix == QStringLiteral("~") || prefix->startsWith(QStringLiteral("~/")))
            prefix = pathText(home) + prefix->mid(1);
        const fs::path path = toPath(*prefix);
        if (!path.is_absolute()) {
            finder.log(QStringLiteral("Ignoring the relative prefix [") + *prefix +
                       QStringLiteral("] of ") + quoted(file));
            return;
        }
        // A folder named in the player's own settings is taken wherever it is.
        consider(path, std::nullopt, QStringLiteral("Lutris ") + quoted(file.filename()));
    }

    void steam(const fs::path& folder) {
        const std::optional<fs::path> root = inspect(folder, home);
        std::error_code error;
        if (!root || !fs::is_directory(*root, error) || !steamRoots.insert(*root).second)
            return;
        std::vector<fs::path> libraries{*root};
        const fs::path list = *root / "steamapps" / "libraryfolders.vdf";
        if (const std::optional<fs::path> real = inspect(list, home)) {
            QString problem;
            const QStringList paths = SteamLibraryFolders::read(*real, problem);
            if (!problem.isEmpty())
                finder.log(QStringLiteral("Cannot read ") + quoted(list) + QStringLiteral(": ") +
                           problem);
            for (const QString& path : paths) {
                const fs::path library = toPath(path);
                if (library.is_absolute())
                    libraries.push_back(library);
            }
        }
        for (const fs::path& library : libraries) {
            if (libraryCount >= MaxSteamLibraries)
                return;
            // A library listed by Steam may lie anywhere; below it, links
            // must not lead out of it.
            const std::optional<fs::path> real =
                library == *root ? root : inspect(library, std::nullopt);
            if (!real || !steamLibraries.insert(*real).second)
                continue;
            ++libraryCount;
            const fs::path& fence = library == *root ? home : *real;
            for (const fs::path& game : entries(*real / "steamapps" / "compatdata", fence))
                consider(game / "pfx", fence, QStringLiteral("Steam ") + quoted(*real));
        }
    }

    const WinePrefixFinder& finder;
    fs::path home;
    std::set<fs::path> seen;
    std::set<fs::path> steamRoots;
    std::set<fs::path> steamLibraries;
    int libraryCount = 0;
};

WinePrefixFinder::WinePrefixFinder(fs::path home, std::optional<QString> winePrefix, Log log)
    : home(std::move(home)), winePrefix(std::move(winePrefix)),
      log(log ? std::move(log) : [](const QString&) {}) {}

std::vector<WinePrefixFinder::Found> WinePrefixFinder::find() const {
    Search search(*this);
    search.run();
    return std::move(search.found);
}

} // namespace plenfox::platform
