#include "client/ui/DesktopOpener.h"

#include "client/App.h"
#include "lib/util/Paths.h"

#include <QDesktopServices>
#include <QUrl>

namespace plenfox::client::ui {

namespace {

QUrl toUrl(const QString& urlOrPath) {
    const QUrl url(urlOrPath);
    // A path with a drive letter or none at all names a local file.
    if (url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(urlOrPath);
}

} // namespace

void SystemDesktopOpener::open(const QString& urlOrPath) {
    if (!QDesktopServices::openUrl(toUrl(urlOrPath)))
        App::log(QStringLiteral("Could not open [") + urlOrPath + QLatin1Char(']'));
}

void SystemDesktopOpener::browseInShell(const std::filesystem::path& file) {
    // The desktop offers no portable "select this file": open its folder.
    open(util::pathText(file.parent_path()));
}

} // namespace plenfox::client::ui
