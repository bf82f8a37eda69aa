#pragma once

#include "client/model/wow/ZipInfo.h"

#include <QString>
#include <cstddef>
#include <filesystem>
#include <functional>

namespace plenfox::client::wow {

// Writes the folders and files of a scanned archive, whose entry names were
// checked, below a folder. Making files is most of the work of an
// extraction, and the system makes files in two folders at once nearly as
// fast as in one: the files of a large package are written by two threads,
// each with a handle of its own on the archive and one half of the files.
// Each file takes one open, one write per buffer of data and one close.
class ZipTreeWriter {
public:
    // Tells why the writing stopped, for the extraction's log.
    using Reporter = std::function<void(const QString& message)>;

    // A package with fewer files is written on the calling thread alone.
    static constexpr std::size_t ParallelMinimumFiles = 64;
    // Each thread's copy buffer: one read and one write for most files.
    static constexpr std::size_t BufferSize = 256 * 1024;

    // Makes the folders of the directory entries, then writes every file
    // entry. Returns false, after logging or reporting why, when a folder
    // cannot be made, an entry cannot be read or a file cannot be written;
    // what was written by then stays on disk. Nothing is thrown.
    static bool write(const ZipInfo& info, const std::filesystem::path& folder,
                      const Reporter& report);
};

} // namespace plenfox::client::wow
