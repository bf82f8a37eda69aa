#include "lib/util/FileSystem.h"

#include <system_error>
#include <vector>

namespace plenfox::util {

namespace fs = std::filesystem;

bool FileSystem::deleteTree(const fs::path& path) {
    std::error_code error;
    const fs::file_status linkStatus = fs::symlink_status(path, error);
    if (linkStatus.type() == fs::file_type::not_found)
        return true;
    // A path that cannot even be examined has not been deleted.
    if (error)
        return false;

    // A link is deleted itself, never followed into its target.
    if (fs::is_directory(linkStatus)) {
        // Entries of a read-only folder can only be removed once the folder
        // itself is writable (and searchable) again.
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, error);
        error.clear();
        std::vector<fs::path> children;
        fs::directory_iterator it(path, error);
        if (error)
            return false;
        for (; it != fs::directory_iterator(); it.increment(error)) {
            if (error)
                return false;
            children.push_back(it->path());
        }
        for (const fs::path& child : children)
            if (!deleteTree(child))
                return false;
    }

    if (!fs::is_symlink(linkStatus))
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
    error.clear();
    return fs::remove(path, error) && !error;
}

} // namespace plenfox::util
