#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <vector>

namespace plenfox::client::model {

// Packs the program's log files into one zip for the player to send.
class BugReport {
public:
    // The log files of the folder (none when it cannot be read).
    static std::vector<std::filesystem::path> findLogFiles(const std::filesystem::path& logFolder);
    // Writes the log files of the folder into a new "plenfoxclientbug*.zip"
    // in the output folder, one deflated entry per file named after it.
    // Nothing when there are no log files; throws IoError when writing fails
    // (the partial zip is removed).
    static std::optional<std::filesystem::path> create(const std::filesystem::path& logFolder,
                                                       const std::filesystem::path& outputFolder);
};

} // namespace plenfox::client::model
