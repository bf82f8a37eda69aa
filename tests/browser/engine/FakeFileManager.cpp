#include "FakeFileManager.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>

int FakeFileManager::run(int argc, char** argv, const QString& recordPath) {
    QCoreApplication application(argc, argv);
    FakeFileManager manager(recordPath);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &manager,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.FileManager1")))
        return 1;
    QFile ready(recordPath + QStringLiteral(".ready"));
    if (!ready.open(QIODevice::WriteOnly))
        return 1;
    ready.close();
    return QCoreApplication::exec();
}

void FakeFileManager::ShowItems(const QStringList& uris, const QString&) {
    QFile record(recordPath_);
    if (record.open(QIODevice::WriteOnly | QIODevice::Append))
        record.write((uris.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}
