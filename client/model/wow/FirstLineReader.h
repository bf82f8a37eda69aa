#pragma once

#include <QString>
#include <filesystem>
#include <optional>

namespace plenfox::client::wow {

// Reads the first line of a text file whose character set follows its
// byte-order mark (the launcher's setup logs). Only the start of the file is
// read, each byte looked at once, and never more than MaxBytes: a file
// without a line end yields its first MaxBytes as the line.
class FirstLineReader {
public:
    static constexpr qint64 MaxBytes = 64 * 1024;

    // The first line; absent for a file without any text. Throws IoError
    // when the file cannot be opened or read.
    static std::optional<QString> read(const std::filesystem::path& file);
};

} // namespace plenfox::client::wow
