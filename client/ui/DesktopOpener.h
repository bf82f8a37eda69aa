#pragma once

#include <QString>
#include <filesystem>

namespace plenfox::client::ui {

// Hands addresses and files to the desktop: the player's own web browser and
// file manager. The program's is CefDesktopOpener (the browser stack's shell
// services); tests record what would have been handed over.
class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // Opens a web address or a folder with the desktop's program for it.
    virtual void open(const QString& urlOrPath) = 0;
    // Shows the file selected in a file manager window.
    virtual void browseInShell(const std::filesystem::path& file) = 0;
};

} // namespace plenfox::client::ui
