#pragma once

#include "client/model/ClientLifecycle.h"
#include "client/model/ClientLifetimeListener.h"
#include "client/model/Constants.h"
#include "client/model/addons/AddonChangeListener.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/ui/PanelHost.h"

#include <QMainWindow>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QEventLoop;
class QLabel;
class QTabWidget;

namespace plenfox::cef {
class CefFactory;
}
namespace plenfox::client::model {
class Client;
}

namespace plenfox::client::ui {

class AddonsPanel;
class BrowserControl;
class BrowserEventHandler;
class BrowserPanel;
class DesktopOpener;
class DownloadPanel;
class FlavourMenu;
class PlayerInputWatch;

// The program's only window: the "Web", "WoW" and "Downloads" tabs, the
// advertisement strip, the menus and the dialogs. The client's life (start-up,
// restart, shutdown) belongs to its ClientLifecycle; the window hands out the
// panels as the client's listeners and shows what the player is told.
class MainFrame : public QMainWindow,
                  public model::ClientEventHandler,
                  public model::ClientLifetimeListener,
                  public model::AddonChangeListener,
                  public PanelHost {
public:
    static inline const QString Title = Constants::ProgramTitle;
    static constexpr int AdWidth = 728;
    static constexpr int AdHeight = 90;

    // What the window is built from; every part has a default for the real
    // program, and tests replace them.
    struct Setup {
        // The client, the start-up scan and the log folder.
        model::ClientLifecycle::Setup life;
        // Hands addresses and files to the desktop; by default through the
        // browser engine's shell utilities.
        std::shared_ptr<DesktopOpener> opener;
        // The browser engine; without one the "Web" tab says that there is
        // no browser in this build.
        cef::CefFactory* factory = nullptr;
        // Where the window's place, size and tab are kept across runs
        // (empty: "Window.ini" in the user's data folder).
        std::filesystem::path windowStateFile;
    };

    MainFrame();
    explicit MainFrame(Setup setup);
    ~MainFrame() override;

    // Shows the window where it was last closed (the first time at
    // 1024 x 768) and points the browser at the home page.
    void go();
    // Another start of the program asked for the window: brings it forward.
    void showOnRequest();
    // Runs the GUI until the player asks to close.
    void waitForClose();
    // The player asked to close: ends waitForClose, also from within a dialog.
    void signalClose();
    bool closeRequested() const override { return life.shutdownRequested(); }
    // Keeps the window's place, size and tab for the next run, disposes the
    // browsers, then shuts the client down; after the window was hidden.
    // Once; the destructor does it when nobody did.
    void shutDown();

    void changeWowFolder();
    // Restarts the client on the flavour of that folder name, as a change of
    // the game folder does; the choice is kept for later runs.
    void changeFlavour(const QString& folderName);
    // Restarts the client in the folder; waits for a client still starting.
    void useWowFolder(const std::filesystem::path& folder);
    void enableUpdates();
    void disableUpdates();

    // Parts for tests and for the entry point.
    QTabWidget* tabs() const { return tabbedPane; }
    AddonsPanel* getAddonsPanel() const { return addonsPanel; }
    DownloadPanel* getDownloadsPanel() const { return downloadsPanel; }
    QWidget* getAdPanel() const { return adPanel; }
    BrowserPanel* getBrowserPanel() const { return browserPanel; }
    // The menu item of that text (its mnemonic marks left out), or null.
    QAction* menuItem(const QString& text) const;
    // The text of the dialog shown when the client could not start.
    static QString startFailureText(const QString& cause, const QString& logFile);
    model::EnableUpdatesSetting& getUpdatesSetting() { return life.updatesSetting(); }
    // Whether the window has taken the started client: its menus act.
    bool isInitialized() const { return initialized; }

    // PanelHost
    model::Client* getClient() override { return &life.client(); }
    model::Client* readyClient() override { return life.readyClient(); }
    QString startFailure() override { return life.startFailure(); }
    bool playerActedRecently() override;
    void navigate(const QString& url) override;
    void showDownloadsTab() override;
    model::BackgroundTasks& backgroundTasks() override { return life.backgroundTasks(); }
    DesktopOpener& desktopOpener() override { return *opener; }
    QWidget* dialogOwner() override { return this; }

    // ClientEventHandler: the listeners the lifecycle hands to the client's
    // components; its own handling of the lifetime and addon events comes first.
    model::AddonChangeListener* getAddonChangeListener() override { return this; }
    model::ClientLifetimeListener* getClientLifetimeListener() override { return this; }
    model::DownloadListener* getDownloadListener() override;
    model::DownloadRecognizerListener* getDownloadRecognizerListener() override;
    model::UpdateListener* getUpdateListener() override;

    // ClientLifetimeListener
    void afterInitialize() override;
    void afterShutdown() override {}
    void beforeInitialize() override {}
    void beforeShutdown() override {}
    // Says why the client could not start and where the log is; the game
    // folder can still be changed.
    void initializeFailed(model::ClientComponent* component) override;

    // AddonChangeListener
    void addonInstalled(model::AddonManager& manager,
                        const std::shared_ptr<wow::InstalledWowAddon>& addon) override;
    void addonRemoved(model::AddonManager& manager,
                      const std::shared_ptr<wow::InstalledWowAddon>& addon) override;
    void afterPackageInstalled(model::AddonManager&,
                               const std::shared_ptr<model::AddonPackage>&) override {}
    void afterRefresh(model::AddonManager& manager) override;
    void beforePackageInstalled(model::AddonManager&,
                                const std::shared_ptr<model::AddonPackage>&) override {}
    void beforeRefresh(model::AddonManager&) override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenuBar();
    QAction* addItem(QMenu* menu, const QString& text, const QString& name,
                     std::function<void()> action);
    // The strip's page did not load: a plain panel takes its place.
    void showAdFallback();
    void onBeforeInitialization();
    void onAfterInitialization();
    // Shows the installation's flavours in the WoW menu.
    void showFlavours();
    // Runs on the GUI thread, or is posted there.
    void post(std::function<void()> task);
    // Opens the folder with the desktop, or says why there is none.
    void openFolder(const model::ClientLifecycle::FolderLookup& lookup);
    void openLogFile();
    // Packs the log files on a background task and shows the result.
    void createBugReport();
    void showCantFindWow();
    void restoreWindowState();
    void saveWindowState();

    std::shared_ptr<DesktopOpener> opener;
    // Made before the panels, which hand the client to their models.
    model::ClientLifecycle life;
    cef::CefFactory* factory = nullptr;
    QTabWidget* tabbedPane = nullptr;
    QWidget* browser = nullptr;
    QLabel* browserMessage = nullptr;
    BrowserPanel* browserPanel = nullptr;
    BrowserControl* adControl = nullptr;
    QLabel* adFallback = nullptr;
    PlayerInputWatch* inputWatch = nullptr;
    std::shared_ptr<BrowserEventHandler> browserEventHandler;
    QWidget* adPanel = nullptr;
    AddonsPanel* addonsPanel = nullptr;
    DownloadPanel* downloadsPanel = nullptr;
    QAction* changeWowMenuItem = nullptr;
    FlavourMenu* flavourMenu = nullptr;
    QAction* enableUpdatesMenuItem = nullptr;
    QAction* disableUpdatesMenuItem = nullptr;
    std::filesystem::path windowStateFile;
    std::optional<std::filesystem::path> pendingWowFolder; // GUI thread
    bool wentOnScreen = false;
    QEventLoop* waitLoop = nullptr;
    bool initialized = false; // GUI thread
    bool exited = false;
};

} // namespace plenfox::client::ui
