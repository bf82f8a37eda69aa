#pragma once

#include "tests/support/TestSupport.h"

#include <QTemporaryDir>

#include <filesystem>

// What the tests of Wine prefixes and their finder share.
namespace plenfox::test {

// Makes a minimal Wine prefix: "system.reg", "drive_c" and the C: link.
inline std::filesystem::path makePrefix(const std::filesystem::path& root) {
    writeFile(root / "system.reg", "WINE REGISTRY Version 2\n");
    std::filesystem::create_directories(root / "drive_c");
    std::filesystem::create_directories(root / "dosdevices");
    std::filesystem::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
    return root;
}

// A scratch folder that goes with the object, named without links.
struct Scratch {
    QTemporaryDir folder;
    std::filesystem::path root =
        std::filesystem::canonical(std::filesystem::path(folder.path().toStdU16String()));
};

} // namespace plenfox::test
