// The window on an installation laid out as players have it today: the
// flavours in the WoW menu, switching between them, the WoW tab's lines and
// states for several interface numbers, markup, development copies and
// dependencies, and the downloads a flavour would not load.
#include "client/model/Client.h"
#include "client/model/ClientRepository.h"
#include "client/model/downloads/DownloadAttributes.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/downloads/FileDownloader.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/wow/WowInstallation.h"
#include "client/ui/AddonsPanel.h"
#include "client/ui/AddonsTableModel.h"
#include "client/ui/DownloadPanel.h"
#include "client/ui/DownloadsTableModel.h"
#include "client/ui/FlavourMenu.h"
#include "client/ui/MessageBoxes.h"
#include "lib/util/Paths.h"
#include "tests/client/ui/UiTestSupport.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace plenfox::test {
namespace {

namespace fs = std::filesystem;
using client::ui::AddonsTableModel;
using client::ui::DownloadsTableModel;
using client::ui::FlavourMenu;
using client::ui::MessageBoxes;

// "Name | Status | Version | WoW" per row, sorted.
QStringList rows(const QTableView* table) {
    QStringList result;
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        QStringList cells;
        for (int column : {AddonsTableModel::Name, AddonsTableModel::Status,
                           AddonsTableModel::Version, AddonsTableModel::Wow})
            cells << table->model()->index(row, column).data().toString();
        result << cells.join(QStringLiteral(" | "));
    }
    result.sort();
    return result;
}

// The flavour items of the WoW menu: "label", with "*" when checked.
QStringList flavourItems(client::ui::MainFrame& frame) {
    QStringList items;
    for (QAction* item : frame.menuBar()->findChildren<QAction*>())
        if (item->objectName().startsWith(FlavourMenu::ObjectNamePrefix))
            items << item->text() + (item->isChecked() ? QStringLiteral(" *") : QString());
    items.sort();
    return items;
}

class FlavourWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeFlavouredInstallation(root);
        const fs::path addons = root / "_retail_" / "Interface" / "AddOns";
        writeFile(addons / "Plater" / "Plater.toc",
                  "## Interface: 120100, 110207\n## Version: @project-version@\n");
        writeFile(addons / "Details_Streamer" / "Details_Streamer.toc",
                  "## Interface: 120100\n## Dependencies: Details, LibMissing\n## Version: 3\n");
        writeFile(addons / "QuestieEra" / "QuestieEra-Classic.toc",
                  "## Interface: 11508\n## Version: 1\n");
        writeZip(sandbox.dataFolder() / "downloads" / "RetailOnly-1.zip",
                 {{QStringLiteral("RetailOnly/RetailOnly_Mainline.toc"), "## Version: 1\n"}});
    }

    std::unique_ptr<client::ui::MainFrame> start(const fs::path& folder = {}) {
        client::ui::MainFrame::Setup setup = sandbox.setup();
        const fs::path data = sandbox.dataFolder();
        const fs::path game = folder.empty() ? root : folder;
        auto stub = sandbox.source;
        setup.life.makeClient = [data, game, stub](client::model::ClientEventHandler* handler) {
            auto wow = undetectedInstallation();
            wow->initializeExplicit(game);
            auto made = std::make_unique<client::model::Client>(
                handler, std::make_unique<client::model::ClientRepository>(data), std::move(wow));
            made->setUpdateManager(std::make_unique<client::model::UpdateManager>(stub));
            return made;
        };
        return sandbox.startWindow(std::move(setup));
    }

    WindowSandbox sandbox;
    fs::path root = sandbox.env.scratch() / "World of Warcraft";
};

TEST_F(FlavourWindowTest, TheWowTabShowsTheRetailFlavourAndItsStates) {
    auto frame = start();
    QTableView* table = frame->getAddonsPanel()->getTable();
    ASSERT_TRUE(waitFor([table] { return table->model()->rowCount() == 5; }));
    EXPECT_EQ(flavourItems(*frame), QStringList({QStringLiteral("Anniversary 2.5.5.64000"),
                                                 QStringLiteral("Classic Era 1.15.8.63829"),
                                                 QStringLiteral("Retail 12.1.0.69382 *")}));
    EXPECT_EQ(rows(table),
              QStringList({
                  QStringLiteral("Details | out-of-date for wow 12.1 | #Details.20260105 | 12.0.1"),
                  QStringLiteral("Details_Streamer | missing dependency: LibMissing | 3 | 12.1"),
                  QStringLiteral("Plater |  | development copy | 12.1"),
                  QStringLiteral("QuestieEra | not for this game version | 1 | 1.15.8"),
                  QStringLiteral("WeakAuras | out-of-date for wow 12.1 | 5.20.1 | 12.0.1"),
              }));
    ASSERT_TRUE(waitFor([&frame] {
        return frame->getAddonsPanel()->informationLines().value(0).contains(
            QStringLiteral("; Retail 12.1.0.69382; 5 addons installed."));
    })) << frame->getAddonsPanel()->informationLines().value(0).toStdString();
    EXPECT_TRUE(frame->getAddonsPanel()->informationLines().value(0).startsWith(
        QStringLiteral("Install Path: ") + util::pathText(root / "_retail_")));

    // Titles and notes without the game's markup; the raw text stays in the TOC.
    const QStringList names = [table] {
        QStringList list;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            list << table->model()->index(row, AddonsTableModel::Name).data().toString();
        return list;
    }();
    const int details = static_cast<int>(names.indexOf(QStringLiteral("Details")));
    EXPECT_EQ(table->model()->index(details, AddonsTableModel::Name).data(Qt::ToolTipRole),
              QStringLiteral("Details! Damage Meter"));
    EXPECT_EQ(table->model()->index(details, AddonsTableModel::Notes).data().toString(),
              QStringLiteral("Essential tool"));

    // Removing Details names the addon that requires it.
    table->clearSelection();
    table->selectRow(details);
    MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
    QTest::mouseClick(frame->getAddonsPanel()->getDeleteButton(), Qt::LeftButton);
    ASSERT_TRUE(MessageBoxes::last());
    EXPECT_EQ(MessageBoxes::last()->text,
              QStringLiteral("Really remove Details?\n\nDetails is required by Details_Streamer."));
    EXPECT_TRUE(fs::exists(root / "_retail_" / "Interface" / "AddOns" / "Details"));

    // The download holds a retail addon: nothing to say.
    QTableView* downloads = frame->getDownloadsPanel()->findChild<QTableView*>();
    ASSERT_TRUE(downloads);
    ASSERT_TRUE(waitFor([downloads] {
        return downloads->model()->rowCount() == 1 &&
               downloads->model()->index(0, DownloadsTableModel::Details).data().toString() ==
                   QStringLiteral("1 WoW addon, not installed.");
    }));
}

TEST_F(FlavourWindowTest, ChoosingAFlavourInTheMenuSwitchesTheAddonFolderAndIsKept) {
    auto frame = start();
    QTableView* table = frame->getAddonsPanel()->getTable();
    ASSERT_TRUE(waitFor([table] { return table->model()->rowCount() == 5; }));
    QAction* era = frame->menuBar()->findChild<QAction*>(FlavourMenu::ObjectNamePrefix +
                                                         QStringLiteral("_classic_era_"));
    ASSERT_TRUE(era);
    era->trigger();
    ASSERT_TRUE(waitFor(
        [&frame, table] { return frame->isInitialized() && table->model()->rowCount() == 1; }));
    sandbox.settle(*frame);
    EXPECT_EQ(rows(table), QStringList({QStringLiteral("Questie |  | 11.2.1 | 1.15.8")}));
    EXPECT_EQ(flavourItems(*frame), QStringList({QStringLiteral("Anniversary 2.5.5.64000"),
                                                 QStringLiteral("Classic Era 1.15.8.63829 *"),
                                                 QStringLiteral("Retail 12.1.0.69382")}));
    ASSERT_TRUE(waitFor([&frame] {
        return frame->getAddonsPanel()->informationLines().value(0).contains(
            QStringLiteral("; Classic Era 1.15.8.63829; 1 addons installed."));
    })) << frame->getAddonsPanel()->informationLines().value(0).toStdString();
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral(".changeFlavour: [_classic_era_]")));

    // The retail download is marked for the player before installing it.
    QTableView* downloads = frame->getDownloadsPanel()->findChild<QTableView*>();
    ASSERT_TRUE(waitFor([downloads] {
        return downloads->model()->rowCount() == 1 &&
               downloads->model()->index(0, DownloadsTableModel::Details).data().toString() ==
                   QStringLiteral("1 WoW addon, not installed. Not for Classic Era.");
    })) << downloads->model()
               ->index(0, DownloadsTableModel::Details)
               .data()
               .toString()
               .toStdString();

    frame->shutDown();
    frame.reset();
    EXPECT_TRUE(fs::exists(sandbox.dataFolder() / "Flavour.dat"));
    // The next run starts on the era client.
    frame = start();
    table = frame->getAddonsPanel()->getTable();
    ASSERT_TRUE(waitFor([table] { return table->model()->rowCount() == 1; }));
    EXPECT_EQ(rows(table), QStringList({QStringLiteral("Questie |  | 11.2.1 | 1.15.8")}));
}

// A fresh download for another flavour waits for the player; one for this
// flavour is installed at once.
TEST_F(FlavourWindowTest, FreshDownloadsForAnotherFlavourAreNotInstalledAutomatically) {
    fs::remove(sandbox.dataFolder() / "downloads" / "RetailOnly-1.zip");
    auto frame = start(root / "_classic_era_");
    client::model::DownloadManager& manager = *frame->getClient()->getDownloadManager();
    QTableView* downloads = frame->getDownloadsPanel()->getTable();
    const auto download = [&manager](const QString& name, const fs::path& zip) {
        const QByteArray bytes = readFile(zip);
        client::model::DownloadAttributes attributes;
        attributes.fileName = name;
        attributes.mimeType = QStringLiteral("application/zip");
        attributes.contentLength = bytes.size();
        attributes.startedByPlayer = true;
        auto downloader = manager.createDownloader(attributes);
        ASSERT_TRUE(downloader);
        ASSERT_TRUE(downloader->receivedData(bytes));
        downloader->complete();
    };
    const auto details = [downloads](const QString& file) {
        for (int row = 0; row < downloads->model()->rowCount(); ++row)
            if (downloads->model()->index(row, DownloadsTableModel::File).data() == file)
                return downloads->model()
                    ->index(row, DownloadsTableModel::Details)
                    .data()
                    .toString();
        return QString();
    };
    const fs::path packages = sandbox.env.scratch() / "packages";
    writeZip(packages / "Retail.zip",
             {{QStringLiteral("RetailOnly/RetailOnly_Mainline.toc"), "## Version: 1\n"}});
    writeZip(packages / "Era.zip",
             {{QStringLiteral("EraAddon/EraAddon_Vanilla.toc"), "## Version: 2\n"}});
    const fs::path addons = root / "_classic_era_" / "Interface" / "AddOns";

    download(QStringLiteral("Retail.zip"), packages / "Retail.zip");
    download(QStringLiteral("Era.zip"), packages / "Era.zip");
    ASSERT_TRUE(waitFor([&] {
        return details(QStringLiteral("Era.zip")) == QStringLiteral("1 WoW addon, installed.");
    })) << details(QStringLiteral("Era.zip")).toStdString();
    sandbox.settle(*frame);
    EXPECT_EQ(details(QStringLiteral("Retail.zip")),
              QStringLiteral("1 WoW addon, not installed. Not for Classic Era."));
    EXPECT_FALSE(fs::exists(addons / "RetailOnly"));
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral("], not for the current flavour")));

    // The player may still install it.
    for (int row = 0; row < downloads->model()->rowCount(); ++row)
        if (downloads->model()->index(row, DownloadsTableModel::File).data() ==
            QStringLiteral("Retail.zip"))
            downloads->selectRow(row);
    QTest::mouseClick(frame->getDownloadsPanel()->getInstallButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return fs::exists(addons / "RetailOnly"); }));
    ASSERT_TRUE(waitFor([&] {
        return details(QStringLiteral("Retail.zip")) ==
               QStringLiteral("1 WoW addon, installed. Not for Classic Era.");
    })) << details(QStringLiteral("Retail.zip")).toStdString();
}

TEST(FlavourTextsTest, DownloadDetailsSayWhichAddonsTheFlavourDoesNotLoad) {
    DownloadsTableModel::Status status;
    status.recognized = true;
    status.wowAddon = true;
    status.totalAddons = 3;
    status.installedCount = 1;
    status.notForFlavour = 2;
    status.flavour = QStringLiteral("Classic Era");
    EXPECT_EQ(DownloadsTableModel::detailsText(status),
              QStringLiteral("3 WoW addons, 1 installed. 2 not for Classic Era."));
    status.notForFlavour = 3;
    status.flavour.clear();
    EXPECT_EQ(DownloadsTableModel::detailsText(status),
              QStringLiteral("3 WoW addons, 1 installed. Not for the current flavour."));
    status.installing = true;
    EXPECT_EQ(DownloadsTableModel::detailsText(status),
              QStringLiteral("installing 3 WoW addons ..."));

    const auto [title, text] = client::ui::AddonsPanel::removalQuestion(
        {QStringLiteral("A"), QStringLiteral("B")}, {QStringLiteral("C"), QStringLiteral("D")});
    EXPECT_EQ(title, QStringLiteral("Remove 2 addons?"));
    EXPECT_EQ(text, QStringLiteral("Really remove A, B?\n\nThey are required by C, D."));
    EXPECT_EQ(AddonsTableModel::statusText(AddonsTableModel::State::MissingDependency, {}, {},
                                           {QStringLiteral("X"), QStringLiteral("Y")}),
              QStringLiteral("missing dependencies: X, Y"));
}

} // namespace
} // namespace plenfox::test
