#pragma once

#include <filesystem>

namespace plenfox::util {

class FileSystem {
public:
    // Deletes a file or a folder with everything below it, depth first,
    // making read-only entries writable first. A missing path counts as
    // deleted. Stops at the first entry that cannot be deleted.
    static bool deleteTree(const std::filesystem::path& path);
};

} // namespace plenfox::util
