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
    // receiving its handler requests, and loads the address.
    void go(const QString& url, std::shared_ptr<cef::CefClient> client);
    void navigate(const QString& url);
    void goBack();
    void goForward();
    void goReload();
    void goCancel();
    // GUI thread: the engine made the browser.
    void onAfterCreated(std::shared_ptr<cef::CefBrowser> browser);
    void setBrowser(std::shared_ptr<cef::CefBrowser> browser);
    // Sizes the browser to the panel.
    void onResize();
    // Closes and releases the browser; the panel stays.
    void dispose();
    bool hasBrowser() const { return browser != nullptr; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    cef::CefFactory& factory;
    std::shared_ptr<cef::CefWindowInfo> windowInfo;
    std::shared_ptr<cef::CefBrowserSettings> browserSettings;
    std::shared_ptr<cef::CefBrowser> browser;
    std::shared_ptr<BrowserControlClient> client;
};

} // namespace plenfox::client::ui
