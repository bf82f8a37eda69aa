// Finding the game in a home folder with 50 Steam game prefixes: every
// prefix is examined (launcher logs, then its registry) and the game sits in
// the last one's registry. The argument is the number of keys in each
// prefix's registry file: 200 (~40 KB), 7,500 (~1.5 MB, about a fresh
// prefix) and 15,000 (~3 MB, a prefix with much installed).

#include "client/model/App.h"
#include "client/model/wow/WowInstallation.h"
#include "lib/util/Paths.h"
#include "platform/InMemoryRegistry.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>

namespace fs = std::filesystem;
using plenfox::client::wow::WowInstallation;

namespace {

constexpr int PrefixCount = 50;

void write(const fs::path& file, const QByteArray& bytes) {
    fs::create_directories(file.parent_path());
    QFile out(plenfox::util::pathText(file));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        std::abort();
}

// A registry file shaped like Wine's: many keys with a few values each, the
// game's key (when wanted) near the end as Wine sorts keys by name.
QByteArray registry(int keys, bool withGame) {
    QByteArray text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
                      "#arch=win64\n\n";
    for (int i = 0; i < keys; ++i) {
        text += "[Software\\\\Classes\\\\CLSID\\\\{" + QByteArray::number(100000 + i) +
                "-0000-0000-C000-000000000046}\\\\InprocServer32] 1600000000\n"
                "#time=1d6b2a0c1e3f4a0\n"
                "@=\"C:\\\\windows\\\\system32\\\\ole32.dll\"\n"
                "\"ThreadingModel\"=\"Both\"\n"
                "\"Flags\"=dword:00000001\n\n";
    }
    if (withGame)
        text += "[Software\\\\Wow6432Node\\\\Blizzard Entertainment\\\\World of Warcraft] "
                "1600000000\n\"InstallPath\"=\"C:\\\\Program Files (x86)\\\\World of "
                "Warcraft\\\\\"\n";
    return text;
}

// The home folder for a registry size, made once.
fs::path home(int keys) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto& folder = folders[keys];
    if (folder)
        return fs::path(folder->path().toStdU16String()) / "home";
    folder = std::make_unique<QTemporaryDir>();
    const fs::path root = fs::path(folder->path().toStdU16String()) / "home";
    const fs::path compatdata = root / ".local" / "share" / "Steam" / "steamapps" / "compatdata";
    for (int i = 0; i < PrefixCount; ++i) {
        const fs::path prefix = compatdata / std::to_string(1000 + i) / "pfx";
        write(prefix / "system.reg", registry(keys, i == PrefixCount - 1));
        fs::create_directories(prefix / "drive_c" / "ProgramData");
        fs::create_directories(prefix / "dosdevices");
        fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
        if (i == PrefixCount - 1)
            write(prefix / "drive_c" / "Program Files (x86)" / "World of Warcraft" / "Wow.exe",
                  "MZ");
    }
    return root;
}

void BM_DetectInSteamPrefixes(benchmark::State& state) {
    QTemporaryDir logs;
    plenfox::client::App app(logs.path());
    const QString homeText = plenfox::util::pathText(home(int(state.range(0))));
    const auto registry = std::make_shared<plenfox::platform::InMemoryRegistry>();
    for (auto _ : state) {
        WowInstallation wow(registry, [&homeText](const QString& name) -> std::optional<QString> {
            if (name == QStringLiteral("HOME"))
                return homeText;
            return std::nullopt;
        });
        if (!wow.exists())
            state.SkipWithError("game not found");
    }
}
BENCHMARK(BM_DetectInSteamPrefixes)->Arg(200)->Arg(7500)->Arg(15000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
