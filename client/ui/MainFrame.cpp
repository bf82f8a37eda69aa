#include "client/ui/MainFrame.h"

#include "client/model/App.h"
#include "client/model/Client.h"
#include "client/model/ClientRepository.h"
#include "client/model/Constants.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/updates/UpdatesOptIn.h"
#include "client/model/wow/WowInstallation.h"
#include "client/ui/AdControlAdapter.h"
#include "client/ui/AddonsPanel.h"
#include "client/ui/AddonsTableModel.h"
#include "client/ui/BrowserControl.h"
#include "client/ui/BrowserEventHandler.h"
#include "client/ui/BrowserPanel.h"
#include "client/ui/CefDesktopOpener.h"
#include "client/ui/DownloadPanel.h"
#include "client/ui/FileChooser.h"
#include "client/ui/FlavourMenu.h"
#include "client/ui/MessageBoxes.h"
#include "client/ui/PlayerInputWatch.h"
#include "client/ui/TableSortMemory.h"
#include "client/ui/Utilities.h"
#include "client/ui/WindowState.h"
#include "lib/util/Paths.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStackedLayout>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

namespace plenfox::client::ui {

namespace fs = std::filesystem;

using model::ClientLifecycle;
using model::UpdatesOptIn;

namespace {

const QString WebTab = QStringLiteral("Web");

} // namespace

MainFrame::MainFrame() : MainFrame(Setup()) {}

MainFrame::MainFrame(Setup setup)
    : opener(setup.opener ? setup.opener : std::make_shared<CefDesktopOpener>()),
      life(std::move(setup.life), *this), factory(setup.factory),
      windowStateFile(setup.windowStateFile.empty()
                          ? model::ClientRepository::defaultRoot() / "Window.ini"
                          : setup.windowStateFile) {
    setWindowTitle(Title);
    setWindowIcon(Utilities::programIcon());

    if (factory) {
        browserEventHandler = std::make_shared<BrowserEventHandler>();
        browserPanel = new BrowserPanel(*this, *factory);
        browser = browserPanel;
        inputWatch = new PlayerInputWatch(browserPanel);
    } else {
        auto* browserPlaceholder = new QWidget;
        auto* browserLayout = new QVBoxLayout(browserPlaceholder);
        browserMessage = new QLabel(
            QStringLiteral("The web browser is not available in this build of Plenfox Client."));
        browserMessage->setAlignment(Qt::AlignCenter);
        browserMessage->setWordWrap(true);
        browserLayout->addWidget(browserMessage);
        browser = browserPlaceholder;
    }
    addonsPanel = new AddonsPanel(*this);
    downloadsPanel = new DownloadPanel(*this);

    tabbedPane = new QTabWidget;
    tabbedPane->addTab(browser, Utilities::loadIcon(QStringLiteral("assets/web.png")), WebTab);
    tabbedPane->setTabToolTip(0, QStringLiteral("Web Browser Panel"));
    tabbedPane->addTab(addonsPanel, Utilities::loadIcon(QStringLiteral("assets/wow.png")),
                       QStringLiteral("WoW"));
    tabbedPane->setTabToolTip(1, QStringLiteral("World of Warcraft"));
    tabbedPane->addTab(downloadsPanel, Utilities::loadIcon(QStringLiteral("assets/downloads.png")),
                       QStringLiteral("Downloads"));
    tabbedPane->setTabToolTip(2, QStringLiteral("Downloads"));
    tabbedPane->setIconSize(QSize(20, 20));

    adPanel = new QWidget;
    adPanel->setObjectName(QStringLiteral("adPanel"));
    adPanel->setFixedSize(AdWidth, AdHeight);
    auto* adLayout = new QStackedLayout(adPanel);
    adLayout->setContentsMargins(0, 0, 0, 0);
    // The strip's own plain panel: shown without a browser engine, or when
    // the strip's page does not load.
    adFallback = new QLabel(Title);
    adFallback->setObjectName(QStringLiteral("adFallback"));
    adFallback->setFixedSize(AdWidth, AdHeight);
    adFallback->setAlignment(Qt::AlignCenter);
    adFallback->setStyleSheet(QStringLiteral("background:#24323f;color:#ffffff;font-size:16px"));
    if (factory) {
        adControl = new BrowserControl(*factory);
        adControl->setObjectName(QStringLiteral("adControl"));
        adControl->setFixedSize(AdWidth, AdHeight);
        adLayout->addWidget(adControl);
    }
    adLayout->addWidget(adFallback);

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tabbedPane, 1);
    layout->addWidget(adPanel, 0, Qt::AlignHCenter);
    setCentralWidget(content);

    createMenuBar();
    onBeforeInitialization();
    life.start();
}

MainFrame::~MainFrame() {
    shutDown();
}

QAction* MainFrame::addItem(QMenu* menu, const QString& text, const QString& name,
                            std::function<void()> action) {
    QAction* item = menu->addAction(text);
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, [action = std::move(action)] { action(); });
    return item;
}

// Each menu and item has a mnemonic (Alt and the underlined letter), unique
// within its menu.
void MainFrame::createMenuBar() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    addItem(file, QStringLiteral("E&xit"), QStringLiteral("exitAction"), [this] { signalClose(); });

    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("toolsMenu"));
    addItem(tools, QStringLiteral("Open &downloads folder ..."),
            QStringLiteral("openDownloadsFolderAction"),
            [this] { openFolder(life.downloadsFolder()); });
    enableUpdatesMenuItem =
        addItem(tools, QStringLiteral("&Enable updates ..."), QStringLiteral("enableUpdatesAction"),
                [this] { enableUpdates(); });
    disableUpdatesMenuItem =
        addItem(tools, QStringLiteral("D&isable updates ..."),
                QStringLiteral("disableUpdatesAction"), [this] { disableUpdates(); });

    QMenu* wowMenu = menuBar()->addMenu(QStringLiteral("&WoW"));
    wowMenu->setObjectName(QStringLiteral("wowMenu"));
    changeWowMenuItem =
        addItem(wowMenu, QStringLiteral("&Change WoW folder ..."),
                QStringLiteral("changeWowFolderAction"), [this] { changeWowFolder(); });
    addItem(wowMenu, QStringLiteral("Open WoW &folder ..."), QStringLiteral("openWowFolderAction"),
            [this] { openFolder(life.gameFolder()); });
    addItem(wowMenu, QStringLiteral("Open WoW &Addon folder ..."),
            QStringLiteral("openAddonFolderAction"), [this] { openFolder(life.addonFolder()); });
    flavourMenu = new FlavourMenu(
        wowMenu, [this](const QString& folderName) { changeFlavour(folderName); }, this);

    QMenu* feedback = menuBar()->addMenu(QStringLiteral("F&eedback"));
    feedback->setObjectName(QStringLiteral("feedbackMenu"));
    addItem(feedback, QStringLiteral("Open current &log file ..."),
            QStringLiteral("openLogFileAction"), [this] { openLogFile(); });
    addItem(feedback, QStringLiteral("Create &bug report zip file ..."),
            QStringLiteral("createBugReportAction"), [this] { createBugReport(); });
}

QAction* MainFrame::menuItem(const QString& text) const {
    for (QAction* menu : menuBar()->actions())
        if (menu->menu())
            for (QAction* item : menu->menu()->actions())
                if (QString(item->text()).remove(QLatin1Char('&')) == text)
                    return item;
    return nullptr;
}

void MainFrame::post(std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

model::DownloadListener* MainFrame::getDownloadListener() {
    return downloadsPanel;
}

model::DownloadRecognizerListener* MainFrame::getDownloadRecognizerListener() {
    return downloadsPanel;
}

model::UpdateListener* MainFrame::getUpdateListener() {
    return addonsPanel->getModel();
}

// --- start-up and shutdown ----------------------------------------------

void MainFrame::onBeforeInitialization() {
    initialized = false;
    for (QAction* item : {changeWowMenuItem, enableUpdatesMenuItem, disableUpdatesMenuItem})
        item->setEnabled(false);
    flavourMenu->setEnabled(false);
}

void MainFrame::onAfterInitialization() {
    initialized = true;
    for (QAction* item : {changeWowMenuItem, enableUpdatesMenuItem, disableUpdatesMenuItem})
        item->setEnabled(true);
    showFlavours();
    flavourMenu->setEnabled(true);
    if (pendingWowFolder && !closeRequested()) {
        onBeforeInitialization();
        life.restart(*std::exchange(pendingWowFolder, std::nullopt));
        return;
    }
    // First run: the player was never asked.
    if (life.updatesQuestionDue())
        enableUpdates();
}

void MainFrame::afterInitialize() {
    wow::WowInstallation* wow = life.client().getWow();
    const bool missing = !wow || !wow->exists();
    const auto repository = life.client().getClientRepository();
    const fs::path tables =
        repository ? repository->getFileInRoot(TableSortMemory::FileName) : fs::path();
    // One task, so that the first-run question comes after the "Oops!" was
    // closed rather than on top of it.
    post([this, missing, tables] {
        // The player's last order of the tables, kept in the data folder.
        if (!tables.empty()) {
            addonsPanel->getSortMemory()->attach(tables);
            downloadsPanel->getSortMemory()->attach(tables);
        }
        if (missing)
            showCantFindWow();
        onAfterInitialization();
    });
    if (const auto manager = life.client().getAddonManager())
        addonsPanel->setInformation(*manager);
}

QString MainFrame::startFailureText(const QString& cause, const QString& logFile) {
    return QStringLiteral("Plenfox Client could not start: ") + cause +
           QStringLiteral(".\n\nThe log file ") + logFile +
           QStringLiteral(" tells more. Mend the cause and start the program again, or choose "
                          "another game folder with WoW / Change WoW folder ...");
}

void MainFrame::initializeFailed(model::ClientComponent*) {
    const QString cause = life.startFailure();
    App* app = App::getInstance();
    const QString logFile = app ? util::pathText(app->getLogFile()) : QString();
    post([this, cause, logFile] {
        // The game folder can be chosen again, which starts the client anew.
        changeWowMenuItem->setEnabled(true);
        if (closeRequested())
            return;
        MessageBoxes::showError(this, QStringLiteral("Plenfox Client could not start"),
                                startFailureText(cause, logFile));
    });
}

bool MainFrame::playerActedRecently() {
    return inputWatch && inputWatch->actedRecently();
}

void MainFrame::showCantFindWow() {
    MessageBoxes::showError(
        this, QStringLiteral("Oops!"),
        QStringLiteral(
            "We can't find your WoW installation. Some things aren't going to work. Use "
            "the menu WoW / Change WoW folder to find it manually. Other suggestions: ") +
            Constants::CantFindWowMessageSuffix);
}

void MainFrame::go() {
    restoreWindowState();
    show();
    wentOnScreen = true;
    if (browserPanel) {
        // Once the window is laid out, so that the browsers' windows are
        // made inside their panels at their final places: the strip first,
        // then the "Web" tab on the home page.
        QTimer::singleShot(0, this, [this] {
            if (closeRequested())
                return;
            QPointer<MainFrame> self(this);
            adControl->go(Constants::AdUrl, std::make_shared<AdControlAdapter>(opener, [self] {
                              QMetaObject::invokeMethod(
                                  self.data(), [self] { self->showAdFallback(); },
                                  Qt::QueuedConnection);
                          }));
            browserPanel->go(Constants::DefaultUrl, browserEventHandler);
        });
        return;
    }
    // Without the browser there is no home page to show: the Web tab says so.
    browserMessage->setText(browserMessage->text() + QStringLiteral("\n\nHome page: ") +
                            Constants::DefaultUrl);
}

void MainFrame::showAdFallback() {
    static_cast<QStackedLayout*>(adPanel->layout())->setCurrentWidget(adFallback);
}

void MainFrame::waitForClose() {
    if (closeRequested())
        return;
    QEventLoop loop;
    waitLoop = &loop;
    loop.exec();
    waitLoop = nullptr;
}

void MainFrame::signalClose() {
    life.requestShutdown();
    // A dialog waiting for an answer would keep its own event loop running.
    MessageBoxes::closeAll();
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
            dialog->reject();
    if (waitLoop)
        waitLoop->quit();
}

void MainFrame::closeEvent(QCloseEvent* event) {
    // Closing only asks the program to end; the entry point hides the window
    // and shuts down.
    event->ignore();
    signalClose();
}

void MainFrame::showOnRequest() {
    if (closeRequested())
        return;
    App::log(ClientLifecycle::Prefix +
             QStringLiteral(".showOnRequest: another start asked this window to show itself"));
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainFrame::restoreWindowState() {
    std::optional<WindowState> saved = WindowState::load(windowStateFile);
    if (!saved) {
        resize(1024, 768);
        return;
    }
    // Placed at the size the window will take: never below its smallest.
    saved->geometry.setSize(saved->geometry.size().expandedTo(minimumSizeHint()));
    const QRect placed = saved->placeOn(WindowState::currentScreens());
    setGeometry(placed);
    tabbedPane->setCurrentIndex(qBound(0, saved->tab, tabbedPane->count() - 1));
    if (saved->maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    App::log(ClientLifecycle::Prefix + QStringLiteral(".restoreWindowState: [") +
             QString::number(placed.x()) + QLatin1Char(',') + QString::number(placed.y()) +
             QLatin1Char(' ') + QString::number(placed.width()) + QLatin1Char('x') +
             QString::number(placed.height()) + QStringLiteral("] tab [") +
             QString::number(tabbedPane->currentIndex()) + QLatin1Char(']'));
}

void MainFrame::saveWindowState() {
    WindowState state;
    state.screen = screen() ? screen()->name() : QString();
    state.geometry = normalGeometry();
    state.maximized = isMaximized();
    state.tab = tabbedPane->currentIndex();
    if (!state.save(windowStateFile))
        App::log(ClientLifecycle::Prefix + QStringLiteral(".saveWindowState: could not write [") +
                 util::pathText(windowStateFile) + QLatin1Char(']'));
}

void MainFrame::shutDown() {
    if (exited)
        return;
    exited = true;
    // A window never shown has no place of its own to keep.
    if (wentOnScreen)
        saveWindowState();
    life.requestShutdown();
    App::log(QStringLiteral("Disposing browser ..."));
    if (adControl)
        adControl->dispose();
    App::log(QStringLiteral("adControl disposed"));
    if (browserPanel)
        browserPanel->dispose();
    App::log(QStringLiteral("browser disposed"));
    life.shutdown();
}

// --- addon events -------------------------------------------------------

void MainFrame::addonInstalled(model::AddonManager& manager,
                               const std::shared_ptr<wow::InstalledWowAddon>& addon) {
    addonsPanel->getModel()->addonInstalled(manager, addon);
}

void MainFrame::addonRemoved(model::AddonManager& manager,
                             const std::shared_ptr<wow::InstalledWowAddon>& addon) {
    addonsPanel->getModel()->addonRemoved(manager, addon);
}

void MainFrame::afterRefresh(model::AddonManager& manager) {
    addonsPanel->setInformation(manager);
    addonsPanel->getModel()->afterRefresh(manager);
}

// --- navigation -----------------------------------------------------------

void MainFrame::navigate(const QString& url) {
    App::log(QStringLiteral("Navigating to [") + url + QLatin1Char(']'));
    if (browserPanel) {
        browserPanel->navigate(url);
        tabbedPane->setCurrentWidget(browser);
        return;
    }
    browserMessage->setText(
        QStringLiteral("The web browser is not available in this build of Plenfox Client.\n\n") +
        url);
    tabbedPane->setCurrentWidget(browser);
}

void MainFrame::showDownloadsTab() {
    tabbedPane->setCurrentWidget(downloadsPanel);
}

// --- updates --------------------------------------------------------------

void MainFrame::enableUpdates() {
    if (getUpdatesSetting().enabled()) {
        MessageBoxes::showInformation(this, UpdatesOptIn::alreadyEnabledTitle(),
                                      UpdatesOptIn::alreadyEnabledText());
        return;
    }
    if (MessageBoxes::askYesNo(this, UpdatesOptIn::enableTitle(), UpdatesOptIn::enableQuestion()))
        life.setUpdatesEnabled(true);
}

void MainFrame::disableUpdates() {
    if (!getUpdatesSetting().enabled()) {
        MessageBoxes::showInformation(this, UpdatesOptIn::alreadyDisabledTitle(),
                                      UpdatesOptIn::alreadyDisabledText());
        return;
    }
    if (MessageBoxes::askYesNo(this, UpdatesOptIn::disableTitle(), UpdatesOptIn::disableQuestion()))
        life.setUpdatesEnabled(false);
}

// --- the game folder ------------------------------------------------------

void MainFrame::changeWowFolder() {
    wow::WowInstallation* wow = readyClient() ? life.client().getWow() : nullptr;
    const std::optional<fs::path> current = wow ? wow->installRoot() : std::nullopt;
    FileChooser::Request request;
    request.title = QStringLiteral("Find one of the recognized WoW files ...");
    request.startFolder = current ? util::pathText(*current) : QString();
    request.filterDescription = QStringLiteral("Recognized WoW files (wow.exe, wow-64.exe, etc.)");
    // Every client's executable: a flavour folder chosen this way becomes
    // the flavour worked on.
    request.acceptedNames = wow::WowFlavour::executableNames();
    request.acceptedNames << QStringLiteral("World of Warcraft Launcher.exe");
    const QString chosen = FileChooser::chooseFile(this, request);
    if (chosen.isNull() || closeRequested())
        return;
    App::log(ClientLifecycle::Prefix + QStringLiteral(".changeWowFolder: [") + chosen +
             QLatin1Char(']'));
    const fs::path file = util::toPath(chosen);
    if (!file.has_parent_path() || file.parent_path() == file) {
        App::log(ClientLifecycle::Prefix +
                 QStringLiteral(".changeWowFolder: null parent on file?"));
        return;
    }
    const fs::path folder = file.parent_path();
    if (!wow::WowInstallation::validateWowDirectory(folder) &&
        !MessageBoxes::askYesNo(this, QStringLiteral("Are you sure?"),
                                QStringLiteral("The selected folder doesn't look like a valid WoW "
                                               "installation, are you sure you want to continue?")))
        return;
    onBeforeInitialization();
    life.restart(folder);
}

void MainFrame::changeFlavour(const QString& folderName) {
    model::Client* ready = readyClient();
    wow::WowInstallation* wow = ready ? ready->getWow() : nullptr;
    const std::optional<wow::WowFlavour> current = wow ? wow->currentFlavour() : std::nullopt;
    if (!wow || closeRequested() || (current && current->sameFolder(folderName))) {
        showFlavours();
        return;
    }
    App::log(ClientLifecycle::Prefix + QStringLiteral(".changeFlavour: [") + folderName +
             QLatin1Char(']'));
    onBeforeInitialization();
    life.restartOnFlavour(folderName);
}

void MainFrame::showFlavours() {
    wow::WowInstallation* wow = life.client().getWow();
    // A game folder of the old layout about which nothing more is known
    // offers no choice.
    std::vector<wow::WowFlavour> flavours =
        wow && wow->exists() ? wow->flavours() : std::vector<wow::WowFlavour>();
    if (flavours.size() == 1 && !flavours.front().isKnown())
        flavours.clear();
    const std::optional<wow::WowFlavour> current = wow ? wow->currentFlavour() : std::nullopt;
    flavourMenu->show(flavours,
                      current ? std::optional<QString>(current->folderName()) : std::nullopt);
}

void MainFrame::useWowFolder(const fs::path& folder) {
    App::log(ClientLifecycle::Prefix + QStringLiteral(".useWowFolder: [") + util::pathText(folder) +
             QLatin1Char(']'));
    if (closeRequested())
        return;
    // Kept while the client starts; after a failed start-up it is the
    // player's way out, as "Change WoW folder" is.
    if (!initialized && life.startFailure().isEmpty()) {
        pendingWowFolder = folder;
        return;
    }
    onBeforeInitialization();
    life.restart(folder);
}

// --- folders and files ----------------------------------------------------

void MainFrame::openFolder(const ClientLifecycle::FolderLookup& lookup) {
    using Problem = ClientLifecycle::FolderLookup::Problem;
    switch (lookup.problem) {
    case Problem::None:
        opener->open(util::pathText(*lookup.folder));
        return;
    case Problem::ClientNotReady:
        return;
    case Problem::GameNotFound:
        MessageBoxes::showError(
            this, QStringLiteral("Sorry!"),
            QStringLiteral("We can't open this folder because we can't find your WoW "
                           "installation.") +
                Constants::CantFindWowMessageSuffix);
        return;
    case Problem::AddonFolderMissing:
        MessageBoxes::showError(this, QStringLiteral("Sorry!"),
                                QStringLiteral("The WoW addon directory doesn't exist yet.\n\nIt "
                                               "should be created if you install an addon."));
        return;
    }
}

void MainFrame::openLogFile() {
    App* app = App::getInstance();
    if (!app || app->getLogFile().empty())
        return;
    std::error_code error;
    if (fs::exists(app->getLogFile(), error))
        opener->browseInShell(app->getLogFile());
}

void MainFrame::createBugReport() {
    life.backgroundTasks().run(QStringLiteral("createBugReport"), [this] {
        const ClientLifecycle::BugReportOutcome outcome = life.createBugReport();
        if (outcome.noLogFiles) {
            post([this] {
                MessageBoxes::showError(
                    this, QStringLiteral("Sorry!"),
                    QStringLiteral("We couldn't find the log files to package up a bug "
                                   "report.\n\nPlease feel free to send us a bug report at ") +
                        Constants::SupportEmail + QLatin1Char('.'));
            });
            return;
        }
        if (!outcome.zip)
            return;
        post([this, file = *outcome.zip] {
            opener->browseInShell(file);
            MessageBoxes::showInformation(this, QStringLiteral("Email Bug Report"),
                                          Constants::BugReportPopupMessage);
        });
    });
}

} // namespace plenfox::client::ui
