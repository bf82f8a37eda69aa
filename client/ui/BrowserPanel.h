#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class QLineEdit;
class QPushButton;

namespace plenfox::cef {
class CefFactory;
}

namespace plenfox::client::ui {

class BrowserControl;
class BrowserEventHandler;
class BrowserPanelHandler;
class PanelHost;

// The "Web" tab: a toolbar with the navigation buttons and the address
// field above the embedded browser. Its handler object answers the
// browser's events; toolbar changes reach the widgets on the GUI thread.
class BrowserPanel : public QWidget {
public:
    BrowserPanel(PanelHost& host, cef::CefFactory& factory, QWidget* parent = nullptr);
    ~BrowserPanel() override;

    // Becomes the event handler's life-span, load and request handler and
    // starts the browser on the address.
    void go(const QString& url, const std::shared_ptr<BrowserEventHandler>& eventHandler);
    void navigate(const QString& url);
    void dispose();
    BrowserControl* getBrowserControl() const { return browserControl; }
    const std::shared_ptr<BrowserPanelHandler>& getHandler() const { return handler; }

    // GUI thread: the toolbar after a main-frame load event.
    void updateControls(bool canGoBack, bool canGoForward, const QString& url);
    void setLoading(bool loading);

    QPushButton* getBackButton() const { return backButton; }
    QPushButton* getForwardButton() const { return forwardButton; }
    QPushButton* getCancelButton() const { return cancelButton; }
    QPushButton* getGoButton() const { return goButton; }
    QLineEdit* getUrlField() const { return urlTextField; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void goToTypedAddress();
    void openInOwnBrowser();

    PanelHost& host;
    std::shared_ptr<BrowserPanelHandler> handler;
    BrowserControl* browserControl;
    QPushButton* backButton;
    QPushButton* homeButton;
    QPushButton* forwardButton;
    QPushButton* refreshButton;
    QPushButton* cancelButton;
    QPushButton* goButton;
    QPushButton* escapeButton;
    QLineEdit* urlTextField;
};

} // namespace plenfox::client::ui
