#pragma once

#include "browser/wrapper/CefBrowserSettings.h"
#include "browser/wrapper/CefFactory.h"
#include "browser/wrapper/CefWindowInfo.h"
#include "client/model/updates/UpdateSource.h"
#include "client/ui/DesktopOpener.h"
#include "client/ui/MainFrame.h"
#include "tests/support/TestSupport.h"

#include <QAbstractItemView>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace plenfox::test {

// Answers update queries with a fixed result, as the update service would.
class StubUpdateSource : public client::model::UpdateSource {
public:
    std::shared_ptr<client::model::UpdateResult>
    queryUpdates(const client::model::UpdateQuery&) override;
    void setResult(std::shared_ptr<client::model::UpdateResult> answer);
    int queries() const;

private:
    mutable std::mutex lock;
    std::shared_ptr<client::model::UpdateResult> result;
    int count = 0;
};

// Records what would have been handed to the desktop.
class RecordingOpener : public client::ui::DesktopOpener {
public:
    void open(const QString& urlOrPath) override;
    void browseInShell(const std::filesystem::path& file) override;
    QStringList opened() const;
    std::vector<std::filesystem::path> browsed() const;

private:
    mutable std::mutex lock;
    QStringList openedList;
    std::vector<std::filesystem::path> browsedList;
};

// Window and browser records that keep nothing but how often they were
// released.
class FakeWindowInfo final : public cef::CefWindowInfo {
public:
    void dispose() override { ++disposed; }
    void setChild(QWidget*, const cef::CefRect&) override {}
    void setOffscreen(QWidget*) override {}
    void setPopup(QWidget*, const QString&) override {}
    void setTransparentPainting(bool) override {}
    int disposed = 0;
};

class FakeBrowserSettings final : public cef::CefBrowserSettings {
public:
    void dispose() override { ++disposed; }
#define PLENFOX_FAKE_SETTING(Type, Name)                                                           \
    Type get##Name() override {                                                                    \
        return Type();                                                                             \
    }                                                                                              \
    void set##Name(const Type&) override {}
    PLENFOX_CEF_BROWSER_SETTINGS(PLENFOX_FAKE_SETTING)
#undef PLENFOX_FAKE_SETTING
    int disposed = 0;
};

// An engine that makes nothing: the windows get their browser widgets, the
// browsers they ask for are recorded, and tests hand the browser's events to
// the handlers themselves.
class InertFactory : public cef::CefFactory {
public:
    // One browser asked for: where, and the client its events go to.
    struct Request {
        QString url;
        std::shared_ptr<cef::CefClient> client;
        std::shared_ptr<FakeWindowInfo> windowInfo;
        std::shared_ptr<FakeBrowserSettings> settings;
    };

    bool initialize(std::shared_ptr<cef::CefSettings>, std::shared_ptr<cef::CefApp>) override {
        return true;
    }
    void shutdown() override {}
    void createBrowser(std::shared_ptr<cef::CefWindowInfo> windowInfo,
                       std::shared_ptr<cef::CefClient> client, const QString& url,
                       std::shared_ptr<cef::CefBrowserSettings> settings) override {
        created << url;
        requests.push_back({url, std::move(client),
                            std::dynamic_pointer_cast<FakeWindowInfo>(windowInfo),
                            std::dynamic_pointer_cast<FakeBrowserSettings>(settings)});
    }
    std::shared_ptr<cef::CefSettings> createSettings() override { return nullptr; }
    std::shared_ptr<cef::CefSettings> createSettings(std::shared_ptr<cef::CefSettings>) override {
        return nullptr;
    }
    std::shared_ptr<cef::CefBrowserSettings> createBrowserSettings() override {
        return std::make_shared<FakeBrowserSettings>();
    }
    std::shared_ptr<cef::CefBrowserSettings>
    createBrowserSettings(std::shared_ptr<cef::CefBrowserSettings>) override {
        return std::make_shared<FakeBrowserSettings>();
    }
    std::shared_ptr<cef::CefWindowInfo> createWindowInfo() override {
        return std::make_shared<FakeWindowInfo>();
    }
    std::shared_ptr<cef::CefWindowInfo>
    createWindowInfo(std::shared_ptr<cef::CefWindowInfo>) override {
        return std::make_shared<FakeWindowInfo>();
    }
    QStringList created;
    std::vector<Request> requests;
};

// An addon folder "<name>/<name>.toc" with the given headers.
void writeAddon(const std::filesystem::path& addonRoot, const QString& name, const QString& version,
                const QString& interfaceNumber, const QString& author = QStringLiteral("Someone"),
                const QString& notes = QStringLiteral("Does things"));

// Processes events until the condition holds; false after the time-out.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

// Asks the view for its context menu and gives the object names of the
// actions it offers (separators left out), then closes the menu.
QStringList contextMenuActions(QAbstractItemView& view);

// Shows the window on the view's tab, makes it the active window and gives
// the view the focus, so that keys pressed reach it; false when the window
// never became active.
bool focusInActiveWindow(client::ui::MainFrame& frame, QWidget& tab, QAbstractItemView& view);

// A sandbox for one window: data folder, game folder with "wow.exe" and an
// addon folder, a stub update service, a recording desktop.
class WindowSandbox {
public:
    WindowSandbox();
    ~WindowSandbox();

    std::filesystem::path dataFolder() const { return env.scratch() / "data"; }
    std::filesystem::path gameFolder() const { return env.scratch() / "game"; }
    std::filesystem::path addonRoot() const { return gameFolder() / "interface" / "addons"; }
    std::filesystem::path logFolder() { return env.app().getLogFile().parent_path(); }

    // Builds the window's setup; withGame false gives a client that finds no game.
    client::ui::MainFrame::Setup setup(bool withGame = true);
    // A started window whose client has initialized.
    std::unique_ptr<client::ui::MainFrame> startWindow(bool withGame = true);
    std::unique_ptr<client::ui::MainFrame> startWindow(client::ui::MainFrame::Setup setup);
    // Waits until the client's events so far (and the GUI work they posted) ran.
    void settle(client::ui::MainFrame& frame);
    // Writes "UpdateSettings.dat" as a player who answered Yes would have.
    void allowUpdates();

    TestEnvironment env;
    // The test's own home: what the window moves to the trash lands here.
    SandboxedHome home{env.scratch() / "home"};
    std::shared_ptr<StubUpdateSource> source = std::make_shared<StubUpdateSource>();
    std::shared_ptr<RecordingOpener> opener = std::make_shared<RecordingOpener>();
    InertFactory factory;
};

} // namespace plenfox::test
