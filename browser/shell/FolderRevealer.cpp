#include "FolderRevealer.h"

#ifdef _WIN32
#include <windows.h>

#include <shlobj.h>
#else
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>

#include "DesktopLauncher.h"
#endif

namespace {

#ifndef _WIN32
// How long the file manager may take to answer.
constexpr int BusTimeoutMs = 5000;

bool showItemsOverBus(const QString& path) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)} << QString();
    const QDBusMessage reply = bus.call(call, QDBus::Block, BusTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}
#endif

} // namespace

bool FolderRevealer::showInFolder(const std::u16string& path) {
    if (path.empty())
        return false;
#ifdef _WIN32
    PIDLIST_ABSOLUTE list = ILCreateFromPathW(reinterpret_cast<PCWSTR>(path.c_str()));
    if (!list)
        return false;
    const bool shown = SUCCEEDED(SHOpenFolderAndSelectItems(list, 0, nullptr, 0));
    ILFree(list);
    return shown;
#else
    const QString file =
        QFileInfo(QString::fromUtf16(path.data(), static_cast<qsizetype>(path.size())))
            .absoluteFilePath();
    if (showItemsOverBus(file))
        return true;
    const QString folder = QFileInfo(file).absolutePath();
    return DesktopLauncher::open(folder.toStdU16String());
#endif
}
