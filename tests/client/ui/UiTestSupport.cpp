#include "tests/client/ui/UiTestSupport.h"

#include "client/model/Client.h"
#include "client/model/ClientRepository.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/persistence/ObjectWriter.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/wow/WowInstallation.h"
#include "client/ui/MessageBoxes.h"
#include "lib/util/Paths.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

namespace plenfox::test {

using client::ui::MainFrame;

std::shared_ptr<client::model::UpdateResult>
StubUpdateSource::queryUpdates(const client::model::UpdateQuery&) {
    std::lock_guard guard(lock);
    ++count;
    return result;
}

void StubUpdateSource::setResult(std::shared_ptr<client::model::UpdateResult> answer) {
    std::lock_guard guard(lock);
    result = std::move(answer);
}

int StubUpdateSource::queries() const {
    std::lock_guard guard(lock);
    return count;
}

void RecordingOpener::open(const QString& urlOrPath) {
    std::lock_guard guard(lock);
    openedList << urlOrPath;
}

void RecordingOpener::browseInShell(const std::filesystem::path& file) {
    std::lock_guard guard(lock);
    browsedList.push_back(file);
}

QStringList RecordingOpener::opened() const {
    std::lock_guard guard(lock);
    return openedList;
}

std::vector<std::filesystem::path> RecordingOpener::browsed() const {
    std::lock_guard guard(lock);
    return browsedList;
}

void writeAddon(const std::filesystem::path& addonRoot, const QString& name, const QString& version,
                const QString& interfaceNumber, const QString& author, const QString& notes) {
    const QString toc = QStringLiteral("## Interface: ") + interfaceNumber +
                        QStringLiteral("\n## Title: ") + name + QStringLiteral("\n## Version: ") +
                        version + QStringLiteral("\n## Author: ") + author +
                        QStringLiteral("\n## Notes: ") + notes + QStringLiteral("\n") + name +
                        QStringLiteral(".lua\n");
    writeFile(addonRoot / util::toPath(name) / util::toPath(name + QStringLiteral(".toc")),
              toc.toUtf8());
    writeFile(addonRoot / util::toPath(name) / util::toPath(name + QStringLiteral(".lua")),
              QByteArrayLiteral("-- code\n"));
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

QStringList contextMenuActions(QAbstractItemView& view) {
    QStringList offered;
    // The menu runs its own event loop: it is read from inside that loop.
    QTimer::singleShot(100, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                offered << action->objectName();
        menu->close();
    });
    Q_EMIT view.customContextMenuRequested(QPoint(5, 5));
    return offered;
}

bool focusInActiveWindow(client::ui::MainFrame& frame, QWidget& tab, QAbstractItemView& view) {
    frame.tabs()->setCurrentWidget(&tab);
    frame.show();
    frame.activateWindow();
    if (!QTest::qWaitForWindowActive(&frame))
        return false;
    view.setFocus();
    return true;
}

WindowSandbox::WindowSandbox() {
    client::ui::MessageBoxes::clearHistory();
    writeFile(gameFolder() / "wow.exe", QByteArrayLiteral("MZ"));
    std::filesystem::create_directories(addonRoot());
}

WindowSandbox::~WindowSandbox() {
    client::ui::MessageBoxes::clearHistory();
}

MainFrame::Setup WindowSandbox::setup(bool withGame) {
    MainFrame::Setup result;
    const std::filesystem::path data = dataFolder();
    const std::filesystem::path game = gameFolder();
    auto stub = source;
    result.life.makeClient = [data, game, withGame,
                              stub](client::model::ClientEventHandler* handler) {
        auto wow = undetectedInstallation();
        if (withGame)
            wow->initializeExplicit(game);
        auto made = std::make_unique<client::model::Client>(
            handler, std::make_unique<client::model::ClientRepository>(data), std::move(wow));
        made->setUpdateManager(std::make_unique<client::model::UpdateManager>(stub));
        return made;
    };
    result.life.makeScanner = [] { return undetectedInstallation(); };
    result.opener = opener;
    result.life.logFolder = logFolder();
    result.windowStateFile = data / "Window.ini";
    return result;
}

std::unique_ptr<MainFrame> WindowSandbox::startWindow(bool withGame) {
    return startWindow(setup(withGame));
}

std::unique_ptr<MainFrame> WindowSandbox::startWindow(MainFrame::Setup windowSetup) {
    auto frame = std::make_unique<MainFrame>(std::move(windowSetup));
    MainFrame* window = frame.get();
    EXPECT_TRUE(waitFor([window] { return window->isInitialized(); }));
    settle(*frame);
    return frame;
}

void WindowSandbox::settle(MainFrame& frame) {
    for (int round = 0; round < 4; ++round) {
        client::model::Client* client = frame.getClient();
        if (client && client->isInitialized())
            test::settle(*client);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
}

void WindowSandbox::allowUpdates() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    client::model::ObjectWriter writer(buffer);
    writer.writeBool(true);
    writeFile(dataFolder() / "UpdateSettings.dat", buffer.data());
}

} // namespace plenfox::test
