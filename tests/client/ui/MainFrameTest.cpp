// The main window: its tabs and menus, every dialog it shows and what
// triggers it, the update setting, the game folder, bug reports and logs.
#include "client/ui/MainFrame.h"
#include "browser/wrapper/CefDownloadHandlerBox.h"
#include "client/model/Client.h"
#include "client/model/Constants.h"
#include "client/model/wow/WowInstallation.h"
#include "client/ui/BrowserPanel.h"
#include "client/ui/BrowserPanelHandler.h"
#include "client/ui/FileChooser.h"
#include "client/ui/MessageBoxes.h"
#include "lib/util/Paths.h"
#include "tests/browser/wrapper/FakeCefObjects.h"
#include "tests/client/ui/UiTestSupport.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace plenfox::test {
namespace {

using client::Constants;
using client::ui::FileChooser;
using client::ui::MainFrame;
using client::ui::MessageBoxes;
namespace fs = std::filesystem;

const QString SupportSuffix =
    QStringLiteral("\n\nPlease try running the World of Warcraft Launcher, and make sure you are "
                   "updated to the latest version, then restart Plenfox Client.\n\nIf that "
                   "doesn't work please report this bug to ") +
    Constants::SupportEmail + QStringLiteral(" and check ") + Constants::SupportPageUrl +
    QStringLiteral(" for tips.");

bool shown(const QString& title, const QString& text = QString()) {
    for (const MessageBoxes::Shown& box : MessageBoxes::history())
        if (box.title == title && (text.isNull() || box.text == text))
            return true;
    return false;
}

int timesShown(const QString& title) {
    int count = 0;
    for (const MessageBoxes::Shown& box : MessageBoxes::history())
        count += box.title == title ? 1 : 0;
    return count;
}

const QString OptInTitle =
    QStringLiteral("Enable updates from ") + Constants::ServiceDomain + QLatin1Char('?');
const QString OptOutTitle =
    QStringLiteral("Disable updates from ") + Constants::ServiceDomain + QLatin1Char('?');

class MainFrameTest : public ::testing::Test {
protected:
    WindowSandbox sandbox;
};

TEST_F(MainFrameTest, WindowHasItsTitleTabsAdStripAndMenus) {
    auto frame = sandbox.startWindow();
    frame->go();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Plenfox Client v0.2 beta"));
    EXPECT_FALSE(frame->windowIcon().isNull());
    EXPECT_EQ(frame->size(), QSize(1024, 768));
    QTabWidget* tabs = frame->tabs();
    ASSERT_EQ(tabs->count(), 3);
    const QStringList titles = {QStringLiteral("Web"), QStringLiteral("WoW"),
                                QStringLiteral("Downloads")};
    const QStringList tips = {QStringLiteral("Web Browser Panel"),
                              QStringLiteral("World of Warcraft"), QStringLiteral("Downloads")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tabs->tabText(i), titles[i]);
        EXPECT_EQ(tabs->tabToolTip(i), tips[i]);
        EXPECT_FALSE(tabs->tabIcon(i).isNull()) << i;
    }
    EXPECT_EQ(frame->getAdPanel()->size(), QSize(728, 90));
    EXPECT_EQ(frame->getAdPanel()->minimumSize(), QSize(728, 90));
    EXPECT_EQ(frame->getAdPanel()->maximumSize(), QSize(728, 90));

    // Texts without their mnemonic marks; every menu and item has a
    // mnemonic, none twice among its neighbours.
    QStringList menus;
    QStringList items;
    const auto mnemonic = [](const QString& text) {
        const qsizetype mark = text.indexOf(QLatin1Char('&'));
        return mark < 0 || mark + 1 >= text.size() ? QChar() : text[mark + 1].toLower();
    };
    QList<QChar> menuKeys;
    for (QAction* menu : frame->menuBar()->actions()) {
        menus << QString(menu->text()).remove(QLatin1Char('&'));
        EXPECT_FALSE(mnemonic(menu->text()).isNull()) << menu->text().toStdString();
        EXPECT_FALSE(menuKeys.contains(mnemonic(menu->text()))) << menu->text().toStdString();
        menuKeys << mnemonic(menu->text());
        QList<QChar> itemKeys;
        for (QAction* item : menu->menu()->actions()) {
            items << QString(item->text()).remove(QLatin1Char('&'));
            EXPECT_FALSE(mnemonic(item->text()).isNull()) << item->text().toStdString();
            EXPECT_FALSE(itemKeys.contains(mnemonic(item->text()))) << item->text().toStdString();
            itemKeys << mnemonic(item->text());
        }
    }
    EXPECT_EQ(menus, (QStringList{QStringLiteral("File"), QStringLiteral("Tools"),
                                  QStringLiteral("WoW"), QStringLiteral("Feedback")}));
    EXPECT_EQ(
        items,
        (QStringList{QStringLiteral("Exit"), QStringLiteral("Open downloads folder ..."),
                     QStringLiteral("Enable updates ..."), QStringLiteral("Disable updates ..."),
                     QStringLiteral("Change WoW folder ..."), QStringLiteral("Open WoW folder ..."),
                     QStringLiteral("Open WoW Addon folder ..."),
                     QStringLiteral("Open current log file ..."),
                     QStringLiteral("Create bug report zip file ...")}));
    EXPECT_TRUE(frame->menuItem(QStringLiteral("Change WoW folder ..."))->isEnabled());

    frame->menuItem(QStringLiteral("Open downloads folder ..."))->trigger();
    frame->menuItem(QStringLiteral("Open WoW folder ..."))->trigger();
    frame->menuItem(QStringLiteral("Open WoW Addon folder ..."))->trigger();
    EXPECT_EQ(
        sandbox.opener->opened(),
        (QStringList{util::pathText(sandbox.dataFolder() / "downloads"),
                     util::pathText(sandbox.gameFolder()), util::pathText(sandbox.addonRoot())}));
    frame->menuItem(QStringLiteral("Open current log file ..."))->trigger();
    ASSERT_EQ(sandbox.opener->browsed().size(), 1u);
    EXPECT_EQ(sandbox.opener->browsed()[0], sandbox.env.app().getLogFile());
}

TEST_F(MainFrameTest, OptInIsAskedUntilAnsweredYesAndBothWaysAreConfirmed) {
    const QString optInText =
        QStringLiteral("Would you like to recieve information from ") + Constants::ServiceDomain +
        QStringLiteral(
            " when addon updates are available?\n\nIf you select Yes, strictly anonymous "
            "information about the addons you install,\nincluding the URL of the download "
            "page, is shared with ") +
        Constants::ServiceDomain +
        QStringLiteral(
            " and other people\nusing the service. You will also receive updates from the "
            "service.\n\nIf you select No, no information is uploaded and you will not "
            "receive updates.");
    MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
    auto frame = sandbox.startWindow();
    EXPECT_TRUE(shown(OptInTitle, optInText));
    EXPECT_TRUE(frame->getUpdatesSetting().isDefault());
    frame.reset();
    EXPECT_FALSE(fs::exists(sandbox.dataFolder() / "UpdateSettings.dat"));

    // Asked again at the next start; Yes is kept.
    MessageBoxes::clearHistory();
    MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
    frame = sandbox.startWindow();
    EXPECT_EQ(timesShown(OptInTitle), 1);
    EXPECT_TRUE(frame->getUpdatesSetting().enabled());
    EXPECT_TRUE(frame->getClient()->getOptions()->getUpdatesEnabled());
    ASSERT_TRUE(
        waitFor([this] { return fs::exists(sandbox.dataFolder() / "UpdateSettings.dat"); }));
    frame.reset();

    MessageBoxes::clearHistory();
    frame = sandbox.startWindow();
    EXPECT_EQ(timesShown(OptInTitle), 0) << "a Yes is not asked again";
    EXPECT_TRUE(frame->getUpdatesSetting().enabled());
    frame->menuItem(QStringLiteral("Enable updates ..."))->trigger();
    EXPECT_TRUE(
        shown(QStringLiteral("Updates Enabled"),
              QStringLiteral(
                  "Updates from the web service are already enabled. Thanks for contributing!")));

    MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
    frame->menuItem(QStringLiteral("Disable updates ..."))->trigger();
    ASSERT_TRUE(MessageBoxes::last().has_value());
    EXPECT_EQ(MessageBoxes::last()->title, OptOutTitle);
    EXPECT_TRUE(MessageBoxes::last()->text.startsWith(
        QStringLiteral("Would you like to stop receiving addon update information from ") +
        Constants::ServiceDomain +
        QStringLiteral("?\n\nIf you select Yes, Plenfox Client will stop")));
    EXPECT_TRUE(frame->getUpdatesSetting().enabled()) << "No keeps updates on";

    MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
    frame->menuItem(QStringLiteral("Disable updates ..."))->trigger();
    EXPECT_FALSE(frame->getUpdatesSetting().enabled());
    frame->menuItem(QStringLiteral("Disable updates ..."))->trigger();
    EXPECT_TRUE(shown(QStringLiteral("Updates Disabled"),
                      QStringLiteral("Updates from the web service are already disabled.")));
    frame.reset();

    // The No to the question after a Yes is kept too: no question at start.
    MessageBoxes::clearHistory();
    frame = sandbox.startWindow();
    EXPECT_EQ(timesShown(OptInTitle), 0);
    EXPECT_FALSE(frame->getUpdatesSetting().enabled());
    EXPECT_FALSE(frame->getUpdatesSetting().isDefault());
}

// A data folder that cannot be made: the player hears why and where the log
// is, may still choose the game folder, and a download is refused saying so.
TEST_F(MainFrameTest, AFailedStartUpSaysWhyAndLeavesTheGameFolderChoosable) {
    writeFile(sandbox.dataFolder(), QByteArrayLiteral("a file where the folder should be"));
    auto setup = sandbox.setup();
    setup.factory = &sandbox.factory;
    auto frame = std::make_unique<MainFrame>(std::move(setup));
    ASSERT_TRUE(waitFor([] { return shown(QStringLiteral("Plenfox Client could not start")); }));
    const QString cause = QStringLiteral("the data folder [") +
                          util::pathText(sandbox.dataFolder()) + QStringLiteral("] cannot be made");
    const QString text = MessageBoxes::history().back().text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Plenfox Client could not start: ") + cause))
        << text.toStdString();
    EXPECT_TRUE(text.contains(util::pathText(sandbox.env.app().getLogFile())));
    EXPECT_TRUE(text.contains(QStringLiteral("WoW / Change WoW folder")));
    EXPECT_TRUE(frame->findChild<QAction*>(QStringLiteral("changeWowFolderAction"))->isEnabled());
    EXPECT_FALSE(frame->isInitialized());

    auto browser = std::make_shared<FakeBrowser>(QStringLiteral("http://site/page.html"));
    EXPECT_FALSE(frame->getBrowserPanel()->getHandler()->getDownloadHandler(
        browser, QStringLiteral("application/zip"), QStringLiteral("Pack.zip"), 10,
        std::make_shared<cef::CefDownloadHandlerBox>()));
    ASSERT_TRUE(waitFor([] { return shown(QStringLiteral("Can't download that file.")); }));
    EXPECT_TRUE(MessageBoxes::history().back().text.startsWith(
        QStringLiteral("Plenfox Client can't take this download: the program failed to start (") +
        cause));

    // A game folder handed over now (by a later start) is tried at once,
    // not kept for a start-up that already ended.
    std::filesystem::remove(sandbox.dataFolder());
    frame->useWowFolder(sandbox.gameFolder());
    ASSERT_TRUE(waitFor([&] { return frame->isInitialized(); }));
    EXPECT_EQ(frame->getClient()->getWow()->installRoot(),
              std::optional<std::filesystem::path>(sandbox.gameFolder()));
    frame->shutDown();
}

TEST_F(MainFrameTest, WithoutGameTheWindowApologizesForWhatItCannotDo) {
    auto frame = sandbox.startWindow(false);
    EXPECT_TRUE(
        shown(QStringLiteral("Oops!"),
              QStringLiteral("We can't find your WoW installation. Some things aren't going to "
                             "work. Use the menu WoW / Change WoW folder to find it manually. "
                             "Other suggestions: ") +
                  SupportSuffix));
    const QString sorry =
        QStringLiteral("We can't open this folder because we can't find your WoW installation.") +
        SupportSuffix;
    MessageBoxes::clearHistory();
    frame->menuItem(QStringLiteral("Open WoW folder ..."))->trigger();
    EXPECT_TRUE(shown(QStringLiteral("Sorry!"), sorry));
    MessageBoxes::clearHistory();
    frame->menuItem(QStringLiteral("Open WoW Addon folder ..."))->trigger();
    EXPECT_TRUE(shown(QStringLiteral("Sorry!"), sorry));
    EXPECT_TRUE(sandbox.opener->opened().isEmpty());
}

TEST_F(MainFrameTest, MissingAddonFolderIsExplained) {
    fs::remove_all(sandbox.addonRoot());
    auto frame = sandbox.startWindow();
    frame->menuItem(QStringLiteral("Open WoW Addon folder ..."))->trigger();
    EXPECT_TRUE(shown(QStringLiteral("Sorry!"),
                      QStringLiteral("The WoW addon directory doesn't exist yet.\n\nIt should be "
                                     "created if you install an addon.")));
    EXPECT_TRUE(sandbox.opener->opened().isEmpty());
}

TEST_F(MainFrameTest, ChangingTheGameFolderAsksAboutFoldersWithoutTheGameAndRestarts) {
    auto frame = sandbox.startWindow(false);
    const fs::path other = sandbox.env.scratch() / "other";
    writeFile(other / "World of Warcraft Launcher.exe", QByteArrayLiteral("MZ"));
    writeAddon(other / "interface" / "addons", QStringLiteral("Moved"), QStringLiteral("1"),
               QStringLiteral("50400"));

    FileChooser::setNextFileName(util::pathText(other / "World of Warcraft Launcher.exe"));
    MessageBoxes::clearHistory();
    MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
    frame->menuItem(QStringLiteral("Change WoW folder ..."))->trigger();
    ASSERT_TRUE(FileChooser::lastRequest().has_value());
    EXPECT_EQ(FileChooser::lastRequest()->title,
              QStringLiteral("Find one of the recognized WoW files ..."));
    EXPECT_EQ(FileChooser::lastRequest()->filterDescription,
              QStringLiteral("Recognized WoW files (wow.exe, wow-64.exe, etc.)"));
    EXPECT_TRUE(
        shown(QStringLiteral("Are you sure?"),
              QStringLiteral("The selected folder doesn't look like a valid WoW installation, "
                             "are you sure you want to continue?")));
    EXPECT_TRUE(frame->isInitialized()) << "No keeps the running client";
    EXPECT_FALSE(frame->getClient()->getWow()->exists());

    FileChooser::setNextFileName(util::pathText(other / "World of Warcraft Launcher.exe"));
    MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
    frame->menuItem(QStringLiteral("Change WoW folder ..."))->trigger();
    EXPECT_FALSE(frame->menuItem(QStringLiteral("Change WoW folder ..."))->isEnabled());
    ASSERT_TRUE(waitFor([&frame] { return frame->isInitialized(); }));
    sandbox.settle(*frame);
    EXPECT_EQ(frame->getClient()->getWow()->installRoot(), std::optional<fs::path>(other));
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral(".changeWowFolder: [")));
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral("Installed addon [Moved] version [1]")));

    // A folder with the game in it is taken without a question.
    MessageBoxes::clearHistory();
    FileChooser::setNextFileName(util::pathText(sandbox.gameFolder() / "wow.exe"));
    frame->menuItem(QStringLiteral("Change WoW folder ..."))->trigger();
    ASSERT_TRUE(waitFor([&frame] { return frame->isInitialized(); }));
    EXPECT_FALSE(shown(QStringLiteral("Are you sure?")));
    EXPECT_EQ(frame->getClient()->getWow()->installRoot(),
              std::optional<fs::path>(sandbox.gameFolder()));

    // Cancelling the chooser changes nothing.
    FileChooser::setNextFileName(QString());
    frame->menuItem(QStringLiteral("Change WoW folder ..."))->trigger();
    EXPECT_TRUE(frame->isInitialized());
    FileChooser::reset();
}

TEST_F(MainFrameTest, GameFolderGivenFromOutsideIsUsedAtStartAndLaterAndWaitsForAStart) {
    const fs::path other = sandbox.env.scratch() / "other";
    writeFile(other / "wow.exe", QByteArrayLiteral("MZ"));
    writeAddon(other / "interface" / "addons", QStringLiteral("Elsewhere"), QStringLiteral("3"),
               QStringLiteral("50400"));
    const auto installRoot = [](MainFrame& frame) {
        return frame.getClient()->getWow()->installRoot();
    };

    // At start, as the command line gives it.
    MainFrame::Setup setup = sandbox.setup(false);
    setup.life.gameFolder = other;
    auto frame = sandbox.startWindow(std::move(setup));
    EXPECT_EQ(installRoot(*frame), std::optional<fs::path>(other));

    // Handed over by a later start: the client restarts in it.
    frame->useWowFolder(sandbox.gameFolder());
    ASSERT_TRUE(waitFor(
        [&] { return frame->isInitialized() && installRoot(*frame) == sandbox.gameFolder(); }));
    frame->shutDown();
    frame.reset();

    // Handed over while the client still starts: taken once it has started.
    frame = std::make_unique<MainFrame>(sandbox.setup(false));
    frame->useWowFolder(other);
    ASSERT_TRUE(waitFor([&] { return frame->isInitialized() && installRoot(*frame) == other; }));
    sandbox.settle(*frame);
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral("Installed addon [Elsewhere] version [3]")));
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral(".useWowFolder: [")));
}

TEST_F(MainFrameTest, AskedToShowItselfTheWindowComesForwardUnlessItCloses) {
    auto frame = sandbox.startWindow();
    frame->go();
    frame->showMinimized();
    frame->showOnRequest();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_TRUE(sandbox.env.logContains(
        QStringLiteral("showOnRequest: another start asked this window to show itself")));

    frame->signalClose();
    frame->hide();
    frame->showOnRequest();
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainFrameTest, WindowComesBackWhereItWasClosedWithItsTab) {
    const fs::path file = sandbox.dataFolder() / "Window.ini";
    // A window never shown keeps nothing.
    sandbox.startWindow().reset();
    EXPECT_FALSE(fs::exists(file));

    auto frame = sandbox.startWindow();
    frame->go();
    EXPECT_EQ(frame->size(), QSize(1024, 768)) << "the first run";
    const QRect closedAt(40, 30, 900, 700);
    frame->setGeometry(closedAt);
    frame->tabs()->setCurrentIndex(2);
    frame->hide();
    frame->shutDown();
    frame.reset();
    ASSERT_TRUE(fs::exists(file));

    frame = sandbox.startWindow();
    frame->go();
    EXPECT_EQ(frame->geometry(), closedAt);
    EXPECT_EQ(frame->tabs()->currentIndex(), 2);
    EXPECT_TRUE(
        sandbox.env.logContains(QStringLiteral(".restoreWindowState: [40,30 900x700] tab [2]")));
    frame->shutDown();
    frame.reset();

    // Its screen is gone: centred on the one there is, never below the
    // window's smallest size.
    QSettings settings(util::pathText(file), QSettings::IniFormat);
    settings.setValue(QStringLiteral("MainWindow/screen"), QStringLiteral("unplugged"));
    settings.setValue(QStringLiteral("MainWindow/geometry"), QRect(3000, 200, 500, 400));
    settings.sync();
    frame = sandbox.startWindow();
    frame->go();
    const QRect available = frame->screen()->availableGeometry();
    EXPECT_EQ(frame->geometry().center(), available.center());
    EXPECT_EQ(frame->tabs()->currentIndex(), 2);
    frame->shutDown();
    frame.reset();

    // A damaged file is a first run.
    writeFile(file, "[MainWindow]\ngeometry=@Rect(0 0 -5 7)\n");
    frame = sandbox.startWindow();
    frame->go();
    EXPECT_EQ(frame->size(), QSize(1024, 768));
    EXPECT_EQ(frame->tabs()->currentIndex(), 0);
}

TEST_F(MainFrameTest, GameFolderChooserShowsFoldersAndTheGameFilesOnly) {
    auto frame = sandbox.startWindow();
    FileChooser::setNextFileName(QString()); // the player cancels
    frame->menuItem(QStringLiteral("Change WoW folder ..."))->trigger();
    // What the window asked the chooser for, not a copy of it.
    const std::optional<FileChooser::Request> request = FileChooser::lastRequest();
    FileChooser::reset();
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->startFolder, util::pathText(sandbox.gameFolder()));
    for (const QString& name :
         {QStringLiteral("wow.exe"), QStringLiteral("Wow.exe"), QStringLiteral("WOW-64.EXE"),
          QStringLiteral("World of Warcraft Launcher.exe")})
        EXPECT_TRUE(FileChooser::shows(*request, name, false)) << name.toStdString();
    EXPECT_TRUE(FileChooser::shows(*request, QStringLiteral("Interface"), true));
    for (const QString& name : {QStringLiteral("wow.exe.bak"), QStringLiteral("readme.txt"),
                                QStringLiteral("Launcher.exe")})
        EXPECT_FALSE(FileChooser::shows(*request, name, false)) << name.toStdString();
    EXPECT_TRUE(frame->isInitialized()) << "a cancelled chooser changes nothing";
}

TEST_F(MainFrameTest, BugReportIsShownInItsFolderWithTheMailingAdvice) {
    QTemporaryDir logs;
    const fs::path folder = util::toPath(logs.path());
    writeFile(folder / "plenfoxclient1.log", QByteArrayLiteral("first run\n"));
    auto setup = sandbox.setup();
    setup.life.logFolder = folder;
    MainFrame frame(setup);
    ASSERT_TRUE(waitFor([&frame] { return frame.isInitialized(); }));

    frame.menuItem(QStringLiteral("Create bug report zip file ..."))->trigger();
    ASSERT_TRUE(waitFor([] { return shown(QStringLiteral("Email Bug Report")); }));
    EXPECT_TRUE(shown(QStringLiteral("Email Bug Report"),
                      QStringLiteral("Please email this bug report file to ") +
                          Constants::SupportEmail + QStringLiteral(". Thanks for your feedback!")));
    ASSERT_EQ(sandbox.opener->browsed().size(), 1u);
    const fs::path zip = sandbox.opener->browsed()[0];
    EXPECT_EQ(zip.parent_path(), folder);
    EXPECT_TRUE(util::pathText(zip.filename()).startsWith(QStringLiteral("plenfoxclientbug")));
    EXPECT_EQ(zip.extension(), fs::path(".zip"));
    EXPECT_TRUE(fs::is_regular_file(zip));
}

TEST_F(MainFrameTest, BugReportWithoutLogsSaysSo) {
    QTemporaryDir empty;
    auto setup = sandbox.setup();
    setup.life.logFolder = util::toPath(empty.path());
    MainFrame frame(setup);
    frame.menuItem(QStringLiteral("Create bug report zip file ..."))->trigger();
    ASSERT_TRUE(waitFor([] { return shown(QStringLiteral("Sorry!")); }));
    EXPECT_TRUE(
        shown(QStringLiteral("Sorry!"),
              QStringLiteral("We couldn't find the log files to package up a bug report.\n\n"
                             "Please feel free to send us a bug report at ") +
                  Constants::SupportEmail + QLatin1Char('.')));
    EXPECT_TRUE(sandbox.opener->browsed().empty());
    EXPECT_TRUE(QDir(empty.path()).isEmpty());
}

TEST_F(MainFrameTest, ExitWhileStartingEndsTheWaitAtOnceAndShutsDownInOrder) {
    auto frame = std::make_unique<MainFrame>(sandbox.setup());
    frame->go();
    frame->menuItem(QStringLiteral("Exit"))->trigger();
    EXPECT_TRUE(frame->closeRequested());
    frame->waitForClose(); // returns at once
    frame->hide();
    EXPECT_FALSE(frame->isVisible());
    frame->shutDown();
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral("Disposing browser ...")));
    const qsizetype shutting = sandbox.env.logIndexOf(QStringLiteral("Shutting down client"));
    const qsizetype done = sandbox.env.logIndexOf(QStringLiteral("Successfully shut down client"));
    if (frame->getClient()->isInitialized() || shutting >= 0) {
        EXPECT_GE(shutting, 0);
        EXPECT_GT(done, shutting);
    }
    frame.reset();
}

TEST_F(MainFrameTest, ClosingTheWindowOnlyAsksToCloseAndEndsAWaitingDialog) {
    auto frame = sandbox.startWindow();
    frame->go();
    // A dialog that waits for a person, closed by the close request.
    MessageBoxes::setAutoAnswer(false);
    QTimer::singleShot(50, frame.get(), [&frame] { frame->close(); });
    frame->enableUpdates();
    MessageBoxes::setAutoAnswer(true);
    EXPECT_TRUE(frame->closeRequested());
    EXPECT_TRUE(frame->isVisible()) << "closing does not hide or shut down by itself";
    EXPECT_FALSE(frame->getUpdatesSetting().enabled()) << "a closed question is no Yes";
    frame->waitForClose();
    frame->hide();
    frame->shutDown();
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral("Successfully shut down client")));
}

} // namespace
} // namespace plenfox::test
