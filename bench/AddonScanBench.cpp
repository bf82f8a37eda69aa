// Scanning a game's addon folder: 1,000 addon folders, one TOC each.

#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/WowInstallation.h"
#include "platform/InMemoryRegistry.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace fs = std::filesystem;
using plenfox::client::wow::WowInstallation;

namespace {

constexpr int AddonCount = 1000;

// A game folder with AddonCount addons, made once for all runs.
const fs::path& gameFolder() {
    static QTemporaryDir folder;
    static const fs::path game = [] {
        const fs::path root = fs::path(folder.path().toStdU16String()) / "Game";
        const fs::path addons = root / "interface" / "addons";
        for (int i = 0; i < AddonCount; ++i) {
            const QString name = QStringLiteral("Addon%1").arg(i, 4, 10, QLatin1Char('0'));
            const fs::path addon = addons / name.toStdU16String();
            fs::create_directories(addon);
            QFile toc(addon / (name + QStringLiteral(".toc")).toStdU16String());
            if (!toc.open(QIODevice::WriteOnly))
                std::abort();
            const QByteArray text = "## Interface: 50400\n## Title: " + name.toUtf8() +
                                    "\n## Notes: A benchmark addon with a line of notes\n"
                                    "## Author: Someone\n## Version: 1.2." +
                                    QByteArray::number(i) +
                                    "\n## SavedVariables: Saved\n\nLibs\\Lib.xml\nLocale.lua\n" +
                                    name.toUtf8() + ".lua\n" + name.toUtf8() + ".xml\n";
            toc.write(text);
        }
        return root;
    }();
    return game;
}

void BM_ScanAddonFolder(benchmark::State& state) {
    WowInstallation wow(std::make_shared<plenfox::platform::InMemoryRegistry>(),
                        [](const QString&) { return std::nullopt; });
    wow.initializeExplicit(gameFolder());
    for (auto _ : state) {
        auto addons = wow.addons();
        if (addons.size() != AddonCount)
            state.SkipWithError("wrong addon count");
        benchmark::DoNotOptimize(addons);
    }
    state.SetItemsProcessed(state.iterations() * AddonCount);
}
BENCHMARK(BM_ScanAddonFolder)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
