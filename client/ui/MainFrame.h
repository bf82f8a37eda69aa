#pragma once

#include "client/model/ClientLifetimeListener.h"
#include "client/model/addons/AddonChangeListener.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/updates/EnableUpdatesSetting.h"
#include "client/ui/BackgroundTasks.h"
#include "client/ui/PanelHost.h"

#include <QMainWindow>
#include <QString>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

class QAction;
class QEventLoop;
class QLabel;
class QTabWidget;

namespace plenfox::cef {
class CefFactory;
}
namespace plenfox::client::model {
class Client;
class ClientOptions;
} // namespace plenfox::client::model
namespace plenfox::client::wow {
class WowInstallation;
}

namespace plenfox::client::ui {

class AddonsPanel;
class BrowserControl;
class BrowserEventHandler;
class BrowserPanel;
class DesktopOpener;
class DownloadPanel;
class FlavourMenu;

// The program's only window: the "Web", "WoW" and "Downloads" tabs, the
// advertisement strip, the menus and the dialogs. It owns the Client, starts
// it on a thread of its own, hands out the panels as the client's listeners
// and shuts the client down when the program ends.
class MainFrame : public QMainWindow,
                  public model::ClientEventHandler,
                  public model::ClientLifetimeListener,
                  public model::AddonChangeListener,
                  public PanelHost {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.ui.MainFrame");
    static inline const QString Title = QStringLiteral("Plenfox Client v0.2 beta");
    static constexpr int AdWidth = 728;
    static constexpr int AdHeight = 90;

    // What the window is built from; every part has a default for the real
    // program, and tests replace them.
    struct Setup {
        std::function<std::unique_ptr<model::Client>(model::ClientEventHandler*)> makeClient;
        std::function<std::unique_ptr<wow::WowInstallation>()> makeScanner;
        std::shared_ptr<DesktopOpener> opener;
        // Where the log files are (and the bug report is written).
        std::filesystem::path logFolder;
        // The browser engine; without one the "Web" tab says that there is
        // no browser in this build.
        cef::CefFactory* factory = nullptr;
    };

    MainFrame();
    explicit MainFrame(Setup setup);
    ~MainFrame() override;

    // Shows the window at 1024 x 768 and points the browser at the home page.
    void go();
    // Runs the GUI until the player asks to close.
    void waitForClose();
    // The player asked to close: ends waitForClose, also from within a dialog.
    void signalClose();
    bool closeRequested() const { return closing; }
    // Hides the window for good.
    void dispose();
    // Shuts the browser and the client down; after dispose.
    void onBeforeExit();

    void changeWowFolder();
    // Restarts the client on the flavour of that folder name, as a change of
    // the game folder does; the choice is kept for later runs.
    void changeFlavour(const QString& folderName);
    void enableUpdates();
    void disableUpdates();
    void applyUpdatesSetting();
    void createBugReport();
    void cleanUpOldLogFiles();
    std::shared_ptr<model::ClientOptions>
    getClientOptions(const std::optional<std::filesystem::path>& folder = std::nullopt,
                     const std::optional<QString>& flavour = std::nullopt);

    // Parts for tests and for the entry point.
    QTabWidget* tabs() const { return tabbedPane; }
    AddonsPanel* getAddonsPanel() const { return addonsPanel; }
    DownloadPanel* getDownloadsPanel() const { return downloadsPanel; }
    QWidget* getAdPanel() const { return adPanel; }
    BrowserPanel* getBrowserPanel() const { return browserPanel; }
    // The menu item of that text, or null.
    QAction* menuItem(const QString& text) const;
    model::EnableUpdatesSetting& getUpdatesSetting() { return updatesSetting; }
    bool isInitialized() const { return initialized; }
    // Waits for the client's start-up thread (not on the GUI thread's behalf
    // of anything it waits for).
    void joinInitialization();

    // PanelHost
    model::Client* getClient() override { return client.get(); }
    model::Client* readyClient() override;
    void navigate(const QString& url) override;
    void showDownloadsTab() override;
    BackgroundTasks& backgroundTasks() override { return tasks; }
    DesktopOpener& desktopOpener() override { return *opener; }
    QWidget* dialogOwner() override { return this; }

    // ClientEventHandler
    model::AddonChangeListener* getAddonChangeListener() override { return this; }
    model::ClientLifetimeListener* getClientLifetimeListener() override { return this; }
    model::DownloadListener* getDownloadListener() override;
    model::DownloadRecognizerListener* getDownloadRecognizerListener() override;
    model::UpdateListener* getUpdateListener() override;

    // ClientLifetimeListener
    void afterInitialize() override;
    void afterShutdown() override;
    void beforeInitialize() override {}
    void beforeShutdown() override;
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
    QAction* addItem(QMenu* menu, const QString& text, std::function<void()> action);
    void startAdControl(int attempt);
    void onBeforeInitialization();
    void onAfterInitialization();
    // Starts the client on the start-up thread: scan, then initialize.
    void startClient(const std::optional<std::filesystem::path>& folder, bool restart,
                     const std::optional<QString>& flavour = std::nullopt);
    // Shows the installation's flavours in the WoW menu.
    void showFlavours();
    // Runs on the GUI thread, or is posted there.
    void post(std::function<void()> task);
    void openFolder(const std::optional<std::filesystem::path>& folder);
    std::optional<std::filesystem::path> chooseDownloadsFolder();
    std::optional<std::filesystem::path> chooseWowFolder();
    std::optional<std::filesystem::path> chooseAddonFolder();
    void openLogFile();
    void showCantFindWow();

    Setup setup;
    std::shared_ptr<DesktopOpener> opener;
    std::unique_ptr<model::Client> client;
    std::unique_ptr<wow::WowInstallation> scannedWowInstall;
    BackgroundTasks tasks;
    model::EnableUpdatesSetting updatesSetting;
    QTabWidget* tabbedPane = nullptr;
    QWidget* browser = nullptr;
    QLabel* browserMessage = nullptr;
    BrowserPanel* browserPanel = nullptr;
    BrowserControl* adControl = nullptr;
    std::shared_ptr<BrowserEventHandler> browserEventHandler;
    QWidget* adPanel = nullptr;
    AddonsPanel* addonsPanel = nullptr;
    DownloadPanel* downloadsPanel = nullptr;
    QAction* changeWowMenuItem = nullptr;
    FlavourMenu* flavourMenu = nullptr;
    QAction* enableUpdatesMenuItem = nullptr;
    QAction* disableUpdatesMenuItem = nullptr;
    std::thread initializationThread;
    std::thread cleanUpThread;
    QEventLoop* waitLoop = nullptr;
    std::atomic<bool> closing{false};
    bool initialized = false; // GUI thread
    bool disposed = false;
    bool exited = false;
};

} // namespace plenfox::client::ui
