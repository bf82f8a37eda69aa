#pragma once

#include <string>

// Shows a file selected in the desktop's file manager. On Windows through the
// shell's folder view; elsewhere through the file manager's `ShowItems` call on
// the session bus, or, when no file manager answers there, by opening the
// containing folder with the desktop.
class FolderRevealer {
public:
    static bool showInFolder(const std::u16string& path);
};
