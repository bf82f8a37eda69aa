#include "client/ui/DesktopOpener.h"

#include "client/model/App.h"
#include "lib/util/Paths.h"

#include <QDesktopServices>
#include <QProcess>
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
#if defined(Q_OS_LINUX)
    // The desktop opener itself, with the target as its one argument.
    const bool started = QProcess::startDetached(QStringLiteral("xdg-open"),
                                                 {toUrl(urlOrPath).toString(QUrl::FullyEncoded)});
#else
    const bool started = QDesktopServices::openUrl(toUrl(urlOrPath));
#endif
    if (!started)
        App::log(QStringLiteral("Could not open [") + urlOrPath + QLatin1Char(']'));
}

void SystemDesktopOpener::browseInShell(const std::filesystem::path& file) {
    // The desktop offers no portable "select this file": open its folder.
    open(util::pathText(file.parent_path()));
}

} // namespace plenfox::client::ui
