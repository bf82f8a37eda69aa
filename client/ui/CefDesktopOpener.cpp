#include "client/ui/CefDesktopOpener.h"

#include "browser/wrapper/CefUtilities.h"
#include "lib/util/Paths.h"

namespace plenfox::client::ui {

void CefDesktopOpener::open(const QString& urlOrPath) {
    cef::CefUtilities::shellExecute(QStringLiteral("open"), urlOrPath, QString(), QString(),
                                    cef::CefUtilities::SW_SHOW);
}

void CefDesktopOpener::browseInShell(const std::filesystem::path& file) {
    cef::CefUtilities::browseInShell(util::pathText(file));
}

} // namespace plenfox::client::ui
