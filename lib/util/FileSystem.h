#pragma once

#include <filesystem>

namespace plenfox::util {

class FileSystem {
public:
    // Deletes a file or a folder with everything below it, depth first,
    // making read-only entries writable first. A missing path counts as
    // deleted. Stops at the first entry that cannot be deleted.
    static bool deleteTree(const std::filesystem::path& path);

    // What became of a path given to discard.
    enum class Discarded { Trashed, Deleted, Failed };
    // Moves a file or a folder to the desktop's trash, where the player can
    // get it back; where there is no trash (or it cannot take the path, for
    // example across disks), deletes it as deleteTree does. A missing path
    // counts as deleted.
    static Discarded discard(const std::filesystem::path& path);

    // Resolves the components of `relative` below `base` one by one: a
    // component spelled exactly as an existing entry is kept; otherwise the
    // first entry (in listing order) that differs from it only in letter case
    // is taken. From the first component that matches nothing, the rest is
    // kept as given, so the result can also name a path still to be made.
    // Lets the program find the game's folders ("Interface/AddOns") on file
    // systems that tell letter case apart, without making twins of them.
    static std::filesystem::path resolveIgnoringCase(const std::filesystem::path& base,
                                                     const std::filesystem::path& relative);

    // The entry of `folder` whose name equals `name` ignoring letter case, or
    // an empty path when there is none (or the folder cannot be listed). An
    // exact match wins over any other.
    static std::filesystem::path findEntryIgnoringCase(const std::filesystem::path& folder,
                                                       const std::filesystem::path& name);
};

} // namespace plenfox::util
