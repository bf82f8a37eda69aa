#pragma once

#include <QUrl>
#include <QWebEnginePage>

#include "BrowserLoadEvents.h"
#include "LoadEventMapper.h"
#include "ResourceInterceptor.h"
#include "cef_base.h"

class BrowserImpl;
class QAuthenticator;
class QWebEngineNewWindowRequest;

// The Qt WebEngine page of one browser: forwards the page's navigation,
// loading, popup, authentication and close requests to the browser's
// handlers. Lives on the UI thread.
class BrowserPage : public QWebEnginePage {
    Q_OBJECT
public:
    BrowserPage(QWebEngineProfile* profile, BrowserImpl& browser, QObject* parent);
    ~BrowserPage() override;

    BrowserImpl& browser() const { return *browser_; }
    // Whether one of the page's signals or navigation questions is being
    // handled: the page must not be deleted then.
    bool isBusy() const { return busy_ > 0; }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    // Marks the page busy for the scope of a handler.
    class BusyScope {
    public:
        explicit BusyScope(BrowserPage& page) : page_(page) { ++page_.busy_; }
        ~BusyScope() { --page_.busy_; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        BrowserPage& page_;
    };

    bool acceptKnownScheme(const QUrl& url, NavigationType type, bool isMainFrame);
    bool acceptUnknownScheme(const QUrl& url);
    bool followRedirect(const QUrl& url);
    void onNewWindowRequested(QWebEngineNewWindowRequest& request);
    void onAuthenticationRequired(const QUrl& url, QAuthenticator* authenticator);
    void onProxyAuthenticationRequired(const QUrl& url, QAuthenticator* authenticator,
                                       const QString& proxyHost);
    void askCredentials(bool isProxy, const QString& host, int port, QAuthenticator* authenticator);
    void onWindowCloseRequested();

    CefRefPtr<BrowserImpl> browser_;
    BrowserLoadEvents loadEvents_;
    LoadEventMapper loads_;
    ResourceInterceptor interceptor_;
    // The URL the main frame is navigating to, the origin of a redirect.
    QUrl pendingUrl_;
    int busy_ = 0;
};
