#include "client/ui/BrowserControl.h"

#include "browser/wrapper/CefBrowser.h"
#include "browser/wrapper/CefBrowserSettings.h"
#include "browser/wrapper/CefFactory.h"
#include "browser/wrapper/CefFrame.h"
#include "browser/wrapper/CefRect.h"
#include "browser/wrapper/CefWindowInfo.h"
#include "client/model/App.h"
#include "client/ui/BrowserControlClient.h"

#include <exception>

namespace plenfox::client::ui {

BrowserControl::BrowserControl(cef::CefFactory& factory, QWidget* parent)
    : QWidget(parent), factory(factory) {
    // The browser window needs a native window to live in.
    setAttribute(Qt::WA_NativeWindow);
}

BrowserControl::~BrowserControl() {
    dispose();
}

void BrowserControl::go(const QString& url, std::shared_ptr<cef::CefClient> innerClient) {
    try {
        if (client)
            client->detach();
        client = std::make_shared<BrowserControlClient>(this, std::move(innerClient));
        winId(); // makes the native window now
        windowInfo = factory.createWindowInfo();
        browserSettings = factory.createBrowserSettings();
        if (!windowInfo || !browserSettings) {
            App::log(Prefix + QStringLiteral(".go: the engine gave no window information"));
            return;
        }
        windowInfo->setChild(this, cef::CefRect(0, 0, width(), height()));
        factory.createBrowser(windowInfo, client, url, browserSettings);
    } catch (const std::exception& error) {
        App::log(error);
        App::log(Prefix + QStringLiteral(".go: could not create the browser for [") + url +
                 QLatin1Char(']'));
    }
}

void BrowserControl::onAfterCreated(std::shared_ptr<cef::CefBrowser> created) {
    setBrowser(std::move(created));
}

void BrowserControl::setBrowser(std::shared_ptr<cef::CefBrowser> newBrowser) {
    if (browser) {
        App::log(Prefix + QStringLiteral(".setBrowser: disposing old browser ..."));
        browser->dispose();
    }
    browser = std::move(newBrowser);
    onResize();
}

void BrowserControl::onResize() {
    if (browser)
        browser->setClientRectangle(0, 0, width(), height());
}

void BrowserControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    onResize();
}

void BrowserControl::dispose() {
    if (client)
        client->detach();
    // The records of a browser that never arrived go too; the browser, when
    // it comes, finds the control gone and is closed at once.
    if (windowInfo)
        windowInfo->dispose();
    if (browserSettings)
        browserSettings->dispose();
    windowInfo.reset();
    browserSettings.reset();
    if (!browser)
        return;
    App::log(Prefix + QStringLiteral(".dispose: browser.beforeParentClose ..."));
    browser->beforeParentClose();
    // Closed before the engine shuts down, so that its handlers hear the end
    // of the browser while the engine still runs.
    App::log(Prefix + QStringLiteral(".dispose: closing browser ..."));
    browser->close();
    App::log(Prefix + QStringLiteral(".dispose: disposing browser ..."));
    browser->dispose();
    browser.reset();
}

void BrowserControl::navigate(const QString& url) {
    if (!browser)
        return;
    if (auto frame = browser->getMainFrame()) {
        frame->loadURL(url);
        frame->dispose();
    }
}

void BrowserControl::goBack() {
    if (browser)
        browser->goBack();
}

void BrowserControl::goForward() {
    if (browser)
        browser->goForward();
}

void BrowserControl::goReload() {
    if (browser)
        browser->reload();
}

void BrowserControl::goCancel() {
    if (browser)
        browser->stopLoad();
}

} // namespace plenfox::client::ui
