// The whole process of a client's start-up on a game with 1,000 addons: the
// program is started, loads its libraries, finds the game folder, lists and
// reads every addon, then ends. bench/addon_startup.sh times it from the
// outside.
//
//   AddonStartupBench make <root> old|flavours   writes the game below <root>
//   AddonStartupBench run <folder> <data folder>   one start-up on that folder
//
// "old": one game folder, each addon with one TOC. "flavours": an
// installation root with ".build.info", "_retail_" and "_classic_era_",
// each retail addon with four TOCs (Name.toc, Name_Mainline.toc,
// Name_Vanilla.toc, Name-Classic.toc).

#include "client/model/App.h"
#include "client/model/Client.h"
#include "client/model/ClientOptions.h"
#include "client/model/ClientRepository.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/updates/UpdateSource.h"
#include "client/model/wow/WowInstallation.h"
#include "platform/InMemoryRegistry.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;
using namespace plenfox::client;

namespace {

constexpr int AddonCount = 1000;

// No service: a start-up that asks nothing.
class NoService : public model::UpdateSource {
public:
    std::shared_ptr<model::UpdateResult> queryUpdates(const model::UpdateQuery&) override {
        return nullptr;
    }
};

void write(const fs::path& file, const QByteArray& bytes) {
    fs::create_directories(file.parent_path());
    QFile out(QString::fromStdU16String(file.u16string()));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        std::abort();
}

QByteArray toc(const QByteArray& name, const QByteArray& interfaceNumbers, int i) {
    return "## Interface: " + interfaceNumbers + "\n## Title: |cff00ff00" + name +
           "|r\n## Notes: A benchmark addon with a line of notes\n## Author: Someone\n"
           "## Version: 1.2." +
           QByteArray::number(i) + "\n## Dependencies: Addon0000\n## SavedVariables: Saved\n\n" +
           "Libs\\Lib.xml\nLocale.lua\n" + name + ".lua\n" + name + ".xml\n";
}

void make(const fs::path& root, bool flavours) {
    fs::path addons = root / "interface" / "addons";
    if (flavours) {
        write(root / ".build.info",
              "Branch!STRING:0|Active!DEC:1|Last Activated!STRING:0|Version!STRING:0|"
              "Product!STRING:0\nus|1|1|12.1.0.69382|wow\nus|1|0|1.15.8.63829|wow_classic_era\n");
        write(root / "_retail_" / "Wow.exe", "MZ");
        write(root / "_classic_era_" / "WowClassic.exe", "MZ");
        addons = root / "_retail_" / "Interface" / "AddOns";
    } else {
        write(root / "Wow.exe", "MZ");
    }
    for (int i = 0; i < AddonCount; ++i) {
        const QByteArray name = QStringLiteral("Addon%1").arg(i, 4, 10, QLatin1Char('0')).toUtf8();
        const fs::path folder = addons / name.toStdString();
        write(folder / (name + ".lua").toStdString(), "-- code\n");
        if (!flavours) {
            write(folder / (name + ".toc").toStdString(), toc(name, "50400", i));
            continue;
        }
        write(folder / (name + ".toc").toStdString(), toc(name, "110207", i));
        write(folder / (name + "_Mainline.toc").toStdString(), toc(name, "120100, 110207", i));
        write(folder / (name + "_Vanilla.toc").toStdString(), toc(name, "11508", i));
        write(folder / (name + "-Classic.toc").toStdString(), toc(name, "11507", i));
    }
}

int run(const fs::path& folder, const fs::path& data) {
    App app(QString::fromStdU16String(data.u16string()));
    auto wow = std::make_unique<wow::WowInstallation>(
        std::make_shared<plenfox::platform::InMemoryRegistry>(),
        [](const QString&) { return std::nullopt; });
    model::Client client(nullptr, std::make_unique<model::ClientRepository>(data), std::move(wow));
    client.setUpdateManager(std::make_unique<model::UpdateManager>(std::make_shared<NoService>()));
    auto options = std::make_shared<model::ClientOptions>();
    options->setWowFolder(folder);
    if (!client.initialize(options))
        return 1;
    const int listed = client.getAddonManager()->getAddonsSize();
    client.shutdown();
    std::printf("%d addons\n", listed);
    return listed == AddonCount ? 0 : 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() == 4 && args[1] == QStringLiteral("make")) {
        make(fs::path(args[2].toStdU16String()), args[3] == QStringLiteral("flavours"));
        return 0;
    }
    if (args.size() == 4 && args[1] == QStringLiteral("run"))
        return run(fs::path(args[2].toStdU16String()), fs::path(args[3].toStdU16String()));
    std::fprintf(stderr, "usage: AddonStartupBench make <root> old|flavours | run <folder> <data>\n");
    return 64;
}
