#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <filesystem>
#include <optional>

namespace plenfox::platform {

// Reads other programs' files whose size the program does not control: never
// more than a given number of bytes, so an enormous or endless file cannot
// exhaust memory.
class BoundedFileReader {
public:
    struct Contents {
        QByteArray bytes;
        // The file held more than the limit; only its start was read.
        bool truncated = false;
    };

    // The first `limit` bytes of a regular file; absent, with the reason in
    // `problem`, when it is missing, not a regular file or cannot be read.
    static std::optional<Contents> read(const std::filesystem::path& file, qint64 limit,
                                        QString& problem);
    // Opens a regular file for reading; false, with the reason in `problem`,
    // when it is missing, not a regular file or cannot be opened.
    static bool openRegular(const std::filesystem::path& file, QFile& input, QString& problem);
};

} // namespace plenfox::platform
