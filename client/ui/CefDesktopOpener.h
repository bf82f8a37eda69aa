#pragma once

#include "client/ui/DesktopOpener.h"

namespace plenfox::client::ui {

// Opens addresses and folders through the browser engine's shell utilities:
// the shell's "open" with the normal show command, and the folder view with
// the file selected.
class CefDesktopOpener : public DesktopOpener {
public:
    void open(const QString& urlOrPath) override;
    void browseInShell(const std::filesystem::path& file) override;
};

} // namespace plenfox::client::ui
