#pragma once

#include <QByteArrayView>
#include <QString>

#include <filesystem>
#include <optional>

namespace plenfox::platform {

// Reads the Wine prefix that one of Lutris's game files ("<game>.yml") names
// under its "prefix" key. Only that key is read; the rest of the file is
// not interpreted.
class LutrisGameFile {
public:
    static constexpr qint64 MaxFileSize = 1 << 20;

    // The prefix named in the file; absent when it names none or cannot be
    // read (then `problem` says why).
    static std::optional<QString> readPrefix(const std::filesystem::path& file, QString& problem);
    // The value of the first "prefix:" key of the text, unquoted.
    static std::optional<QString> parsePrefix(QByteArrayView text);
};

} // namespace plenfox::platform
