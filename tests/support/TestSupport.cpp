#include "tests/support/TestSupport.h"

#include "client/model/Client.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/wow/WowInstallation.h"
#include "platform/InMemoryRegistry.h"

#include <QFile>
#include <gtest/gtest.h>

namespace plenfox::test {

namespace {
// Log records look like "yyyy-MM-dd HH:mm:ss.zzz INFO: message".
constexpr auto RecordMarker = " INFO: ";
} // namespace

TestEnvironment::TestEnvironment() : application(std::make_unique<client::App>(logFolder.path())) {}

TestEnvironment::~TestEnvironment() = default;

QStringList TestEnvironment::logLines() const {
    QStringList lines;
    QFile file(QString::fromStdU16String(application->getLogFile().u16string()));
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString& record : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype marker = record.indexOf(QLatin1String(RecordMarker));
        lines << (marker < 0 ? record : record.mid(marker + qsizetype(std::strlen(RecordMarker))));
    }
    return lines;
}

bool TestEnvironment::logContains(const QString& text) const {
    return logIndexOf(text) >= 0;
}

qsizetype TestEnvironment::logIndexOf(const QString& text) const {
    const QStringList lines = logLines();
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].contains(text))
            return i;
    return -1;
}

std::filesystem::path TestEnvironment::scratch() const {
    return std::filesystem::path(scratchFolder.path().toStdU16String());
}

SandboxedHome::SandboxedHome(const std::filesystem::path& folder)
    : home(folder), oldHome(qgetenv("HOME")), oldData(qgetenv("XDG_DATA_HOME")) {
    std::filesystem::create_directories(home / ".local" / "share");
    qputenv("HOME", QFile::encodeName(QString::fromStdU16String(home.u16string())));
    qputenv("XDG_DATA_HOME", QFile::encodeName(QString::fromStdU16String(
                                 (home / ".local" / "share").u16string())));
}

SandboxedHome::~SandboxedHome() {
    qputenv("HOME", oldHome);
    if (oldData.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldData);
}

std::filesystem::path SandboxedHome::trashFiles() const {
    return home / ".local" / "share" / "Trash" / "files";
}

QStringList SandboxedHome::trashed() const {
    QStringList names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(trashFiles(), error), end; !error && it != end;
         it.increment(error))
        names << QString::fromStdU16String(it->path().filename().u16string());
    names.sort();
    return names;
}

void sandboxHomeForTheRun() {
    static QTemporaryDir folder;
    static SandboxedHome home(std::filesystem::path(folder.path().toStdU16String()));
}

void writeFile(const std::filesystem::path& file, const QByteArray& bytes) {
    std::filesystem::create_directories(file.parent_path());
    QFile out(QString::fromStdU16String(file.u16string()));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(out.write(bytes), bytes.size());
}

QByteArray readFile(const std::filesystem::path& file) {
    QFile in(QString::fromStdU16String(file.u16string()));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

void settle(const client::model::Client& client) {
    const auto dispatcher = client.getEventDispatcher();
    const auto updates = client.getUpdateManager();
    const auto work = [&] {
        return dispatcher->getPostedCount() + (updates ? updates->getQueuedCount() : 0);
    };
    // A round in which nothing new was queued ends with both idle: what was
    // queued before it has run (events, worker work, events the work posted).
    for (;;) {
        const quint64 before = work();
        dispatcher->sink();
        if (updates)
            updates->sinkWorker();
        dispatcher->sink();
        if (work() == before)
            return;
    }
}

std::unique_ptr<client::wow::WowInstallation> undetectedInstallation() {
    return std::make_unique<client::wow::WowInstallation>(
        std::make_shared<platform::InMemoryRegistry>(),
        [](const QString&) { return std::nullopt; });
}

} // namespace plenfox::test
