#pragma once

#include <QByteArrayView>
#include <QStringList>

#include <filesystem>

namespace plenfox::platform {

// Reads the library folders that Steam lists in "steamapps/libraryfolders.vdf"
// (its key-value text format: quoted keys and values, braces for nesting).
// Only the folder paths are taken: the "path" values, and in the older form
// the values of numbered keys.
class SteamLibraryFolders {
public:
    static constexpr qint64 MaxFileSize = 1 << 20;
    // Deeper nesting than Steam ever writes ends the reading.
    static constexpr int MaxDepth = 16;

    // The folders listed in the file; empty when it cannot be read (then
    // `problem` says why).
    static QStringList read(const std::filesystem::path& file, QString& problem);
    static QStringList parsePaths(QByteArrayView text);
};

} // namespace plenfox::platform
