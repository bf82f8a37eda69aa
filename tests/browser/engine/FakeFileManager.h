#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Stands in for the desktop's file manager on a session bus: records the
// items it is asked to show, one per line, in a file. Runs as a process of
// its own (main.cpp starts it for the option --fake-file-manager).
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    explicit FakeFileManager(QString recordPath) : recordPath_(std::move(recordPath)) {}

    // Serves on the session bus until killed; writes recordPath + ".ready"
    // once it owns its name. Returns non-zero when it cannot serve.
    static int run(int argc, char** argv, const QString& recordPath);

public Q_SLOTS:
    void ShowItems(const QStringList& uris, const QString& startupId);

private:
    QString recordPath_;
};
