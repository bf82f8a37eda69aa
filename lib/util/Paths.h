#pragma once

#include <QString>
#include <filesystem>

namespace plenfox::util {

// Conversions between file-system paths and the program's UTF-16 text,
// lossless on every platform.
inline QString pathText(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

inline std::filesystem::path toPath(const QString& text) {
    return std::filesystem::path(text.toStdU16String());
}

} // namespace plenfox::util
