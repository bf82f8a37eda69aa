#pragma once

#include <QString>

class QWidget;

namespace plenfox::client::model {
class BackgroundTasks;
class Client;
} // namespace plenfox::client::model

namespace plenfox::client::ui {

class DesktopOpener;

// What a tab panel needs from the window around it.
class PanelHost {
public:
    virtual ~PanelHost() = default;
    // The client object; its components exist only while it is initialized.
    virtual model::Client* getClient() = 0;
    // The client while it is initialized, else null: what buttons act on.
    virtual model::Client* readyClient() = 0;
    // Why the client's last start-up failed; null while it starts or runs.
    virtual QString startFailure() = 0;
    // Whether the player pressed a key or a mouse button in the "Web" tab a
    // moment ago (any thread).
    virtual bool playerActedRecently() = 0;
    // Shows the address in the "Web" tab and brings that tab to the front.
    virtual void navigate(const QString& url) = 0;
    virtual void showDownloadsTab() = 0;
    virtual model::BackgroundTasks& backgroundTasks() = 0;
    virtual DesktopOpener& desktopOpener() = 0;
    // The window that owns the panel's dialogs.
    virtual QWidget* dialogOwner() = 0;
    // Whether the window is closing: no new dialogs then.
    virtual bool closeRequested() const = 0;
};

} // namespace plenfox::client::ui
