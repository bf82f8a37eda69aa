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
    // Shows the address in the "Web" tab and brings that tab to the front.
    virtual void navigate(const QString& url) = 0;
    virtual void showDownloadsTab() = 0;
    virtual model::BackgroundTasks& backgroundTasks() = 0;
    virtual DesktopOpener& desktopOpener() = 0;
    // The window that owns the panel's dialogs.
    virtual QWidget* dialogOwner() = 0;
};

} // namespace plenfox::client::ui
