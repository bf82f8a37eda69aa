#pragma once

#include <QString>

#include <filesystem>
#include <optional>

namespace plenfox::platform {

// A Wine prefix: a folder holding a Windows system of its own, with the
// machine registry in "system.reg", drive C: in "drive_c" and the other
// drives as links in "dosdevices". Maps the Windows paths that programs
// inside it record to paths of this system. Reads only.
class WinePrefix {
public:
    explicit WinePrefix(std::filesystem::path root);

    // Whether the folder holds a "system.reg" file (not a link) and a
    // "drive_c" folder.
    static bool isPrefix(const std::filesystem::path& folder);

    const std::filesystem::path& root() const { return folder; }
    std::filesystem::path systemRegistry() const;
    // The prefix's "C:\ProgramData", found ignoring letter case.
    std::filesystem::path programData() const;

    // The local path of an absolute Windows path ("C:\Games\wow.exe",
    // "d:/games", any drive letter): the drive through its "dosdevices"
    // link (C: falls back to "drive_c"), the rest resolved ignoring letter
    // case. Absent, with the reason in `problem`, for a path without a drive
    // letter, a drive the prefix lacks, or ".." leading above the drive.
    std::optional<std::filesystem::path> toLocalPath(const QString& windowsPath,
                                                     QString& problem) const;

private:
    std::optional<std::filesystem::path> driveFolder(QChar letter) const;

    std::filesystem::path folder;
};

} // namespace plenfox::platform
