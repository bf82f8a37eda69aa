#include "client/ui/MainFrame.h"

#include "client/model/App.h"
#include "client/model/BugReport.h"
#include "client/model/Client.h"
#include "client/model/ClientComponent.h"
#include "client/model/ClientOptions.h"
#include "client/model/ClientRepository.h"
#include "client/model/Constants.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/WowInstallation.h"
#include "client/ui/AdControlAdapter.h"
#include "client/ui/AddonsPanel.h"
#include "client/ui/AddonsTableModel.h"
#include "client/ui/BrowserControl.h"
#include "client/ui/BrowserEventHandler.h"
#include "client/ui/BrowserPanel.h"
#include "client/ui/DesktopOpener.h"
#include "client/ui/DownloadPanel.h"
#include "client/ui/FileChooser.h"
#include "client/ui/FlavourMenu.h"
#include "client/ui/MessageBoxes.h"
#include "client/ui/Utilities.h"
#include "lib/util/Paths.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

namespace plenfox::client::ui {

namespace fs = std::filesystem;

namespace {

const QString WebTab = QStringLiteral("Web");

QString optInText() {
    const QString& domain = Constants::ServiceDomain;
    return QStringLiteral("Would you like to recieve information from ") + domain +
           QStringLiteral(" when addon updates are available?\n\nIf you select Yes, strictly "
                          "anonymous information about the addons you install,\nincluding the URL "
                          "of the download page, is shared with ") +
           domain +
           QStringLiteral(" and other people\nusing the service. You will also receive updates "
                          "from the service.\n\nIf you select No, no information is uploaded and "
                          "you will not receive updates.");
}

QString optOutText() {
    const QString& domain = Constants::ServiceDomain;
    return QStringLiteral("Would you like to stop receiving addon update information from ") +
           domain +
           QStringLiteral("?\n\nIf you select Yes, Plenfox Client will stop uploading anonymous "
                          "information to ") +
           domain +
           QStringLiteral(" and you will also stop receiving update information.\n\nIf you select "
                          "No, Plenfox Client will continue to upload anonymous information to ") +
           domain + QStringLiteral(" and you will continue receiving update information.");
}

std::unique_ptr<model::Client> defaultClient(model::ClientEventHandler* handler) {
    return std::make_unique<model::Client>(handler);
}

std::unique_ptr<wow::WowInstallation> defaultScanner() {
    return std::make_unique<wow::WowInstallation>();
}

} // namespace

MainFrame::MainFrame() : MainFrame(Setup()) {}

MainFrame::MainFrame(Setup givenSetup) : setup(std::move(givenSetup)) {
    if (!setup.makeClient)
        setup.makeClient = defaultClient;
    if (!setup.makeScanner)
        setup.makeScanner = defaultScanner;
    if (setup.logFolder.empty())
        setup.logFolder = util::toPath(App::temporaryFolder());
    opener = setup.opener ? setup.opener : std::make_shared<SystemDesktopOpener>();

    setWindowTitle(Title);
    setWindowIcon(Utilities::loadIcon(QStringLiteral("assets/plenfox.png")));
    // The panels hand the client to their models, so it comes first.
    client = setup.makeClient(this);

    if (setup.factory) {
        browserEventHandler = std::make_shared<BrowserEventHandler>();
        browserPanel = new BrowserPanel(*this, *setup.factory);
        browser = browserPanel;
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
    adPanel->setFixedSize(AdWidth, AdHeight);
    auto* adLayout = new QHBoxLayout(adPanel);
    adLayout->setContentsMargins(0, 0, 0, 0);
    if (setup.factory) {
        adControl = new BrowserControl(*setup.factory);
        adControl->setFixedSize(AdWidth, AdHeight);
        adLayout->addWidget(adControl);
    } else {
        auto* adPlaceholder = new QLabel(Title);
        adPlaceholder->setFixedSize(AdWidth, AdHeight);
        adPlaceholder->setAlignment(Qt::AlignCenter);
        adPlaceholder->setStyleSheet(
            QStringLiteral("background:#24323f;color:#ffffff;font-size:16px"));
        adLayout->addWidget(adPlaceholder);
    }

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tabbedPane, 1);
    layout->addWidget(adPanel, 0, Qt::AlignHCenter);
    setCentralWidget(content);

    createMenuBar();
    scannedWowInstall = setup.makeScanner();
    startClient(std::nullopt, false);
    cleanUpThread = std::thread([this] { cleanUpOldLogFiles(); });
}

MainFrame::~MainFrame() {
    if (!exited)
        onBeforeExit();
    if (cleanUpThread.joinable())
        cleanUpThread.join();
}

QAction* MainFrame::addItem(QMenu* menu, const QString& text, std::function<void()> action) {
    QAction* item = menu->addAction(text);
    connect(item, &QAction::triggered, this, [action = std::move(action)] { action(); });
    return item;
}

void MainFrame::createMenuBar() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    addItem(file, QStringLiteral("Exit"), [this] { signalClose(); });

    QMenu* tools = menuBar()->addMenu(QStringLiteral("Tools"));
    addItem(tools, QStringLiteral("Open downloads folder ..."),
            [this] { openFolder(chooseDownloadsFolder()); });
    enableUpdatesMenuItem =
        addItem(tools, QStringLiteral("Enable updates ..."), [this] { enableUpdates(); });
    disableUpdatesMenuItem =
        addItem(tools, QStringLiteral("Disable updates ..."), [this] { disableUpdates(); });

    QMenu* wowMenu = menuBar()->addMenu(QStringLiteral("WoW"));
    changeWowMenuItem =
        addItem(wowMenu, QStringLiteral("Change WoW folder ..."), [this] { changeWowFolder(); });
    addItem(wowMenu, QStringLiteral("Open WoW folder ..."),
            [this] { openFolder(chooseWowFolder()); });
    addItem(wowMenu, QStringLiteral("Open WoW Addon folder ..."),
            [this] { openFolder(chooseAddonFolder()); });
    flavourMenu = new FlavourMenu(
        wowMenu, [this](const QString& folderName) { changeFlavour(folderName); }, this);

    QMenu* feedback = menuBar()->addMenu(QStringLiteral("Feedback"));
    addItem(feedback, QStringLiteral("Open current log file ..."), [this] { openLogFile(); });
    addItem(feedback, QStringLiteral("Create bug report zip file ..."), [this] {
        tasks.run(QStringLiteral("createBugReport"), [this] { createBugReport(); });
    });
}

QAction* MainFrame::menuItem(const QString& text) const {
    for (QAction* menu : menuBar()->actions())
        if (menu->menu())
            for (QAction* item : menu->menu()->actions())
                if (item->text() == text)
                    return item;
    return nullptr;
}

void MainFrame::post(std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

model::Client* MainFrame::readyClient() {
    return initialized ? client.get() : nullptr;
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
    // First run: the player was never asked.
    if (updatesSetting.isDefault() && !updatesSetting.enabled() && !closing)
        enableUpdates();
}

void MainFrame::startClient(const std::optional<fs::path>& folder, bool restart,
                            const std::optional<QString>& flavour) {
    onBeforeInitialization();
    if (initializationThread.joinable())
        initializationThread.join();
    initializationThread = std::thread([this, folder, restart, flavour] {
        try {
            if (restart) {
                client->shutdown();
            } else {
                // The launcher's logs, the switcher log, then the registry.
                scannedWowInstall->initialize();
            }
        } catch (const std::exception& error) {
            App::log(error);
        }
        if (closing)
            return;
        client->initialize(getClientOptions(folder, flavour));
    });
}

void MainFrame::joinInitialization() {
    if (initializationThread.joinable())
        initializationThread.join();
}

std::shared_ptr<model::ClientOptions>
MainFrame::getClientOptions(const std::optional<fs::path>& folder,
                            const std::optional<QString>& flavour) {
    auto options = std::make_shared<model::ClientOptions>();
    if (folder)
        options->setWowFolder(*folder);
    if (flavour)
        options->setFlavour(*flavour);
    options->setUpdatesEnabled(updatesSetting.enabled());
    return options;
}

void MainFrame::afterInitialize() {
    App::log(QStringLiteral("Initialized client"));
    const bool startedWithUpdates = client->getOptions()->getUpdatesEnabled();
    updatesSetting.initialize(*client);
    // The client started before the player's choice was read: when it
    // allows updates, check again now that the options say so.
    if (updatesSetting.enabled() && !startedWithUpdates) {
        if (const auto manager = client->getAddonManager())
            manager->refreshAddonsAsync();
    }
    wow::WowInstallation* wow = client->getWow();
    const bool missing = !wow || !wow->exists();
    // One task, so that the first-run question comes after the "Oops!" was
    // closed rather than on top of it.
    post([this, missing] {
        if (missing)
            showCantFindWow();
        onAfterInitialization();
    });
    if (const auto manager = client->getAddonManager())
        addonsPanel->setInformation(*manager);
}

void MainFrame::showCantFindWow() {
    MessageBoxes::showError(
        this, QStringLiteral("Oops!"),
        QStringLiteral(
            "We can't find your WoW installation. Some things aren't going to work. Use "
            "the menu WoW / Change WoW folder to find it manually. Other suggestions: ") +
            Constants::CantFindWowMessageSuffix);
}

void MainFrame::initializeFailed(model::ClientComponent* component) {
    App::log(QStringLiteral("Failed to initialize component: ") + util::textOf(component));
}

void MainFrame::beforeShutdown() {
    App::log(QStringLiteral("Shutting down client"));
}

void MainFrame::afterShutdown() {
    App::log(QStringLiteral("Successfully shut down client"));
}

void MainFrame::go() {
    resize(1024, 768);
    show();
    if (browserPanel) {
        // Once the window is laid out, so that the browsers' windows are
        // made inside their panels at their final places.
        QTimer::singleShot(0, this, [this] {
            browserPanel->go(Constants::DefaultUrl, browserEventHandler);
            startAdControl(0);
        });
        return;
    }
    // Without the browser there is no home page to show: the Web tab says so.
    browserMessage->setText(browserMessage->text() + QStringLiteral("\n\nHome page: ") +
                            Constants::DefaultUrl);
}

void MainFrame::startAdControl(int attempt) {
    // One browser at a time: the strip's browser is made once the "Web"
    // tab's browser exists (or after a few seconds without it), since the
    // engine places a second browser made meanwhile outside its panel.
    constexpr int Attempts = 100;
    if (closing)
        return;
    if (browserPanel->getBrowserControl()->hasBrowser() || attempt >= Attempts) {
        adControl->go(Constants::AdUrl, std::make_shared<AdControlAdapter>(opener));
        return;
    }
    QTimer::singleShot(50, this, [this, attempt] { startAdControl(attempt + 1); });
}

void MainFrame::waitForClose() {
    if (closing)
        return;
    QEventLoop loop;
    waitLoop = &loop;
    loop.exec();
    waitLoop = nullptr;
}

void MainFrame::signalClose() {
    closing = true;
    // A dialog waiting for an answer would keep its own event loop running.
    MessageBoxes::closeAll();
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
            dialog->reject();
    if (waitLoop)
        waitLoop->quit();
}

void MainFrame::closeEvent(QCloseEvent* event) {
    // Closing only asks the program to end; the entry point disposes.
    event->ignore();
    signalClose();
}

void MainFrame::dispose() {
    disposed = true;
    hide();
}

void MainFrame::onBeforeExit() {
    if (exited)
        return;
    exited = true;
    closing = true;
    App::log(QStringLiteral("Disposing browser ..."));
    if (adControl)
        adControl->dispose();
    App::log(QStringLiteral("adControl disposed"));
    if (browserPanel)
        browserPanel->dispose();
    App::log(QStringLiteral("browser disposed"));
    joinInitialization();
    tasks.joinAll();
    client->shutdown();
    tasks.joinAll();
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
    // Support reads the installed addons from the log of a bug report.
    for (const auto& addon : manager.getAddons())
        App::log(QStringLiteral("Installed addon [") + addon->getName() +
                 QStringLiteral("] version [") + addon->getVersionName() + QLatin1Char(']'));
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
    if (updatesSetting.enabled()) {
        MessageBoxes::showInformation(
            this, QStringLiteral("Updates Enabled"),
            QStringLiteral("Updates from the web service are already enabled. Thanks for "
                           "contributing!"));
        return;
    }
    if (!MessageBoxes::askYesNo(this,
                                QStringLiteral("Enable updates from ") + Constants::ServiceDomain +
                                    QLatin1Char('?'),
                                optInText()))
        return;
    updatesSetting.set(true);
    applyUpdatesSetting();
}

void MainFrame::disableUpdates() {
    if (!updatesSetting.enabled()) {
        MessageBoxes::showInformation(
            this, QStringLiteral("Updates Disabled"),
            QStringLiteral("Updates from the web service are already disabled."));
        return;
    }
    if (!MessageBoxes::askYesNo(this,
                                QStringLiteral("Disable updates from ") + Constants::ServiceDomain +
                                    QLatin1Char('?'),
                                optOutText()))
        return;
    updatesSetting.set(false);
    applyUpdatesSetting();
}

void MainFrame::applyUpdatesSetting() {
    model::Client* ready = readyClient();
    if (!ready)
        return;
    if (const auto manager = ready->getAddonManager())
        manager->refreshAddonsAsync();
    if (const auto dispatcher = ready->getEventDispatcher()) {
        try {
            dispatcher->invokeLater([this] { updatesSetting.persist(); },
                                    QStringLiteral("persist update setting"));
        } catch (const std::exception& error) {
            App::log(error);
        }
    }
}

// --- the game folder ------------------------------------------------------

void MainFrame::changeWowFolder() {
    wow::WowInstallation* wow = readyClient() ? client->getWow() : nullptr;
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
    if (chosen.isNull() || closing)
        return;
    App::log(Prefix + QStringLiteral(".changeWowFolder: [") + chosen + QLatin1Char(']'));
    const fs::path file = util::toPath(chosen);
    if (!file.has_parent_path() || file.parent_path() == file) {
        App::log(Prefix + QStringLiteral(".changeWowFolder: null parent on file?"));
        return;
    }
    const fs::path folder = file.parent_path();
    if (!wow::WowInstallation::validateWowDirectory(folder) &&
        !MessageBoxes::askYesNo(this, QStringLiteral("Are you sure?"),
                                QStringLiteral("The selected folder doesn't look like a valid WoW "
                                               "installation, are you sure you want to continue?")))
        return;
    startClient(folder, true);
}

void MainFrame::changeFlavour(const QString& folderName) {
    model::Client* ready = readyClient();
    wow::WowInstallation* wow = ready ? ready->getWow() : nullptr;
    const std::optional<wow::WowFlavour> current = wow ? wow->currentFlavour() : std::nullopt;
    if (!wow || closing || (current && current->sameFolder(folderName))) {
        showFlavours();
        return;
    }
    App::log(Prefix + QStringLiteral(".changeFlavour: [") + folderName + QLatin1Char(']'));
    startClient(std::nullopt, true, folderName);
}

void MainFrame::showFlavours() {
    wow::WowInstallation* wow = client->getWow();
    if (!wow || !wow->exists()) {
        flavourMenu->show({}, std::nullopt);
        return;
    }
    // A game folder of the old layout about which nothing more is known
    // offers no choice.
    std::vector<wow::WowFlavour> flavours = wow->flavours();
    if (flavours.size() == 1 && !flavours.front().isKnown())
        flavours.clear();
    const std::optional<wow::WowFlavour> current = wow->currentFlavour();
    flavourMenu->show(flavours,
                      current ? std::optional<QString>(current->folderName()) : std::nullopt);
}

// --- folders and files ----------------------------------------------------

void MainFrame::openFolder(const std::optional<fs::path>& folder) {
    if (folder)
        opener->open(util::pathText(*folder));
}

std::optional<fs::path> MainFrame::chooseDownloadsFolder() {
    model::Client* ready = readyClient();
    if (!ready || !ready->getClientRepository())
        return std::nullopt;
    return ready->getClientRepository()->getDownloadRepository();
}

std::optional<fs::path> MainFrame::chooseWowFolder() {
    model::Client* ready = readyClient();
    wow::WowInstallation* wow = ready ? ready->getWow() : nullptr;
    const std::optional<fs::path> root = wow && wow->exists() ? wow->installRoot() : std::nullopt;
    if (!root)
        MessageBoxes::showError(
            this, QStringLiteral("Sorry!"),
            QStringLiteral("We can't open this folder because we can't find your WoW "
                           "installation.") +
                Constants::CantFindWowMessageSuffix);
    return root;
}

std::optional<fs::path> MainFrame::chooseAddonFolder() {
    if (!chooseWowFolder())
        return std::nullopt;
    wow::WowInstallation* wow = client->getWow();
    if (!wow->addonRootExists()) {
        MessageBoxes::showError(this, QStringLiteral("Sorry!"),
                                QStringLiteral("The WoW addon directory doesn't exist yet.\n\nIt "
                                               "should be created if you install an addon."));
        return std::nullopt;
    }
    return wow->addonRoot();
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
    try {
        const std::optional<fs::path> zip =
            model::BugReport::create(setup.logFolder, setup.logFolder);
        if (!zip) {
            post([this] {
                MessageBoxes::showError(
                    this, QStringLiteral("Sorry!"),
                    QStringLiteral("We couldn't find the log files to package up a bug "
                                   "report.\n\nPlease feel free to send us a bug report at ") +
                        Constants::SupportEmail + QLatin1Char('.'));
            });
            return;
        }
        App::log(Prefix + QStringLiteral(".createBugReport: [") + util::pathText(*zip) +
                 QLatin1Char(']'));
        post([this, file = *zip] {
            opener->browseInShell(file);
            MessageBoxes::showInformation(this, QStringLiteral("Email Bug Report"),
                                          Constants::BugReportPopupMessage);
        });
    } catch (const std::exception& error) {
        App::log(error);
    }
}

void MainFrame::cleanUpOldLogFiles() {
    App::cleanUpOldLogFiles(util::pathText(setup.logFolder), Prefix);
}

} // namespace plenfox::client::ui
