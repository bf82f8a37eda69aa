#include "tests/support/TestSupport.h"

#include "client/model/Client.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/wow/WowInstallation.h"
#include "platform/InMemoryRegistry.h"

#include <QFile>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <zip.h>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

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

void writeZip(const std::filesystem::path& file,
              const QList<std::pair<QString, QByteArray>>& entries) {
    std::filesystem::create_directories(file.parent_path());
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr) << error;
    for (const auto& [name, bytes] : entries) {
        const QByteArray utf8 = name.toUtf8();
        if (name.endsWith(QLatin1Char('/'))) {
            ASSERT_GE(zip_dir_add(archive, utf8.constData(), ZIP_FL_ENC_UTF_8), 0);
            continue;
        }
        // libzip reads the data when the archive is closed: it keeps a copy.
        void* copy = std::malloc(static_cast<std::size_t>(std::max<qsizetype>(bytes.size(), 1)));
        std::memcpy(copy, bytes.constData(), static_cast<std::size_t>(bytes.size()));
        zip_source_t* source =
            zip_source_buffer(archive, copy, static_cast<zip_uint64_t>(bytes.size()), 1);
        ASSERT_NE(source, nullptr);
        ASSERT_GE(zip_file_add(archive, utf8.constData(), source, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

void writeFlavouredInstallation(const std::filesystem::path& root, bool eraLastActive) {
    namespace fs = std::filesystem;
    const QByteArray header =
        "Branch!STRING:0|Active!DEC:1|Build Key!HEX:16|CDN Key!HEX:16|Install Key!HEX:16|IM "
        "Size!DEC:4|CDN Path!STRING:0|CDN Hosts!STRING:0|CDN Servers!STRING:0|Tags!STRING:0|"
        "Armadillo!STRING:0|Last Activated!STRING:0|Version!STRING:0|Product!STRING:0|Build "
        "Complete!DEC:1\n";
    const auto row = [](const QByteArray& lastActivated, const QByteArray& version,
                        const QByteArray& product) {
        return "us|1|0123456789abcdef0123456789abcdef|fedcba9876543210fedcba9876543210|"
               "00112233445566778899aabbccddeeff||tpr/wow|us.cdn.example.com "
               "level3.example.com|http://us.cdn.example.com/?maxhosts=4|Windows x86_64 US? "
               "acct-USA? geoip-US? enUS speech?:Windows x86_64 US? acct-USA? geoip-US? enUS "
               "text?||" +
               lastActivated + "|" + version + "|" + product + "|1\n";
    };
    writeFile(root / ".build.info",
              header + row(eraLastActive ? "0" : "1", "12.1.0.69382", "wow") +
                  row(eraLastActive ? "1" : "0", "1.15.8.63829", "wow_classic_era") +
                  row("0", "2.5.5.64000", "wow_anniversary"));
    const fs::path retail = root / "_retail_";
    writeFile(retail / "Wow.exe", "MZ");
    writeFile(retail / "Interface" / "AddOns" / "Details" / "Details_Mainline.toc",
              "## Interface: 120001, 110207\n## Title: |cffffd200Details!|r Damage Meter\n"
              "## Version: #Details.20260105\n## Notes: |cFFFFFFFFEssential|r tool\n"
              "Details.lua\n");
    writeFile(retail / "Interface" / "AddOns" / "WeakAuras" / "WeakAuras.toc",
              "## Interface: 120001\n## Title: WeakAuras\n## Version: 5.20.1\nWeakAuras.lua\n");
    const fs::path era = root / "_classic_era_";
    writeFile(era / "WowClassic.exe", "MZ");
    writeFile(era / "Interface" / "AddOns" / "Questie" / "Questie-Classic.toc",
              "## Interface: 11508\n## Title: |cFFFFFFFFQuestie|r\n## Version: 11.2.1\n"
              "Questie.lua\n");
    const fs::path anniversary = root / "_anniversary_";
    writeFile(anniversary / "WowClassic.exe", "MZ");
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
