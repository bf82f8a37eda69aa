#pragma once

#include <QString>
#include <filesystem>

namespace plenfox::client::ui {

// Hands addresses and files to the desktop: the player's own web browser and
// file manager.
class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // Opens a web address or a folder with the desktop's program for it.
    virtual void open(const QString& urlOrPath) = 0;
    // Shows the file in a file manager window.
    virtual void browseInShell(const std::filesystem::path& file) = 0;
};

// Uses the desktop's own opener (xdg-open and friends).
class SystemDesktopOpener : public DesktopOpener {
public:
    void open(const QString& urlOrPath) override;
    void browseInShell(const std::filesystem::path& file) override;
};

} // namespace plenfox::client::ui
