// Reading the first line of a launcher setup log: a normal log, and a 4 MiB
// UTF-16 log without any line end (read only up to the reader's limit).

#include "client/model/wow/FirstLineReader.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace fs = std::filesystem;
using plenfox::client::wow::FirstLineReader;

namespace {

QByteArray utf16le(const QString& text) {
    QByteArray bytes("\xFF\xFE");
    for (const QChar c : text)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return bytes;
}

fs::path writeLog(const char* name, const QByteArray& bytes) {
    static QTemporaryDir folder;
    const fs::path file = fs::path(folder.path().toStdU16String()) / name;
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        std::abort();
    return file;
}

void readLog(benchmark::State& state, const fs::path& file) {
    for (auto _ : state)
        benchmark::DoNotOptimize(FirstLineReader::read(file));
}

void NormalSetupLog(benchmark::State& state) {
    static const fs::path file =
        writeLog("setup-normal.log",
                 utf16le(QStringLiteral("2013-05-01 Blizzard Setup at 'C:\\Games\\World of "
                                        "Warcraft\\Wow.exe'\r\n") +
                         QString(200000, u'.')));
    readLog(state, file);
}
BENCHMARK(NormalSetupLog);

void FourMegabytesWithoutLineEnd(benchmark::State& state) {
    static const fs::path file =
        writeLog("setup-oneline.log", utf16le(QString(2 * 1024 * 1024, u'x')));
    readLog(state, file);
}
BENCHMARK(FourMegabytesWithoutLineEnd)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
