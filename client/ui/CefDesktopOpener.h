#pragma once

#include "client/ui/DesktopOpener.h"

namespace plenfox::client::ui {

// Opens addresses and folders through the browser engine's shell utilities.
class CefDesktopOpener : public DesktopOpener {
public:
    void open(const QString& urlOrPath) override;
    void browseInShell(const std::filesystem::path& file) override;
};

} // namespace plenfox::client::ui
