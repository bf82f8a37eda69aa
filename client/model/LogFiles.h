#pragma once

#include <QString>
#include <filesystem>
#include <vector>

namespace plenfox::client {

// The program's log files in a folder: one "plenfoxclient<digits>.log" per
// run. The clean-up of old logs and the bug report both list them here.
class LogFiles {
public:
    struct Entry {
        std::filesystem::path path;
        std::filesystem::file_time_type modified;
    };

    // Whether a file of that name counts as one of the program's logs: it
    // starts with "plenfoxclient" and ends with ".log" (so a bug report's
    // "plenfoxclientbug*.zip" never does).
    static bool isLogFileName(const QString& name);
    // The regular files of the folder that are logs, in no particular order;
    // a file that vanishes while the folder is read is left out. Throws
    // std::filesystem::filesystem_error when the folder cannot be read.
    static std::vector<Entry> list(const std::filesystem::path& folder);
};

} // namespace plenfox::client
