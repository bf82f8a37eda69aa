#pragma once

#include <QString>
#include <QWidget>
#include <memory>

namespace plenfox::cef {
class CefBrowser;
class CefBrowserSettings;
class CefClient;
class CefFactory;
class CefWindowInfo;
} // namespace plenfox::cef

namespace plenfox::client::ui {

class BrowserControlClient;

// A panel that hosts one native browser window, sized to the panel.
class BrowserControl : public QWidget {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.ui.BrowserControl");

    BrowserControl(cef::CefFactory& factory, QWidget* parent = nullptr);
    ~BrowserControl() override;

    // Makes the browser as a child window of this panel, with the client
    // receiving its handler requests, and loads the address. A browser asked
    // for by an earlier call is closed when it arrives, or when this one does.
    void go(const QString& url, std::shared_ptr<cef::CefClient> client);
    // Loads the address in the browser; before the browser exists, the last
    // address asked for is kept and loaded once it arrives.
    void navigate(const QString& url);
    void goBack();
    void goForward();
    void goReload();
    void goCancel();
    // GUI thread: the engine made the browser this control asked for.
    void onAfterCreated(std::shared_ptr<cef::CefBrowser> browser);
    // Keeps the browser, closing and releasing one kept before.
    void setBrowser(std::shared_ptr<cef::CefBrowser> browser);
    // GUI thread: a browser of this control's client closes; when it is the
    // control's own, the control lets go of it.
    void onBeforeClose(const std::shared_ptr<cef::CefBrowser>& closing);
    // Sizes the browser to the panel.
    void onResize();
    // Closes and releases the browser; the panel stays.
    void dispose();
    bool hasBrowser() const { return browser != nullptr; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void load(const QString& url);
    void loadPending();
    void releaseRecords();

    cef::CefFactory& factory;
    std::shared_ptr<cef::CefWindowInfo> windowInfo;
    std::shared_ptr<cef::CefBrowserSettings> browserSettings;
    std::shared_ptr<cef::CefBrowser> browser;
    std::shared_ptr<BrowserControlClient> client;
    // The address to load once the browser arrives; null when there is none.
    QString pendingUrl;
};

} // namespace plenfox::client::ui
