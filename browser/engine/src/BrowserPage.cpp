#include "BrowserPage.h"

#include <QAuthenticator>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineSettings>

#include "BrowserImpl.h"
#include "BrowserSettingsApplier.h"
#include "Engine.h"
#include "FrameImpl.h"
#include "NavigationTypes.h"
#include "QtText.h"
#include "cef_life_span_handler.h"
#include "cef_request_handler.h"

namespace {

// Qt's report of a main-frame load as plain values. Qt gives the HTTP status
// in the status-code domain, also for successful loads.
LoadReport reportOf(const QWebEngineLoadingInfo& info) {
    LoadReport report;
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        report.status = LoadReport::Status::Started;
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        report.status = LoadReport::Status::Succeeded;
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        report.status = LoadReport::Status::Failed;
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        report.status = LoadReport::Status::Stopped;
        break;
    }
    report.httpStatus = info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain;
    report.errorCode = info.errorCode();
    report.url = info.url();
    report.errorText = info.errorString();
    return report;
}

CefRefPtr<CefRequestHandler> requestHandlerOf(BrowserImpl& browser) {
    const auto client = browser.GetClient();
    return client ? client->GetRequestHandler() : nullptr;
}

} // namespace

BrowserPage::BrowserPage(QWebEngineProfile* profile, BrowserImpl& browser, QObject* parent)
    : QWebEnginePage(profile, parent), browser_(&browser), loadEvents_(browser),
      loads_(loadEvents_), interceptor_(browser) {
    BrowserSettingsApplier::apply(browser.settings(), *settings());
    setUrlRequestInterceptor(&interceptor_);
    connect(this, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        const BusyScope busy(*this);
        loads_.onLoadingChanged(reportOf(info), url());
    });
    connect(this, &QWebEnginePage::urlChanged, this, [this] {
        const BusyScope busy(*this);
        browser_->refreshState();
        loads_.onUrlChanged();
    });
    connect(this, &QWebEnginePage::newWindowRequested, this, &BrowserPage::onNewWindowRequested);
    connect(this, &QWebEnginePage::authenticationRequired, this,
            &BrowserPage::onAuthenticationRequired);
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
            &BrowserPage::onProxyAuthenticationRequired);
    connect(this, &QWebEnginePage::windowCloseRequested, this,
            &BrowserPage::onWindowCloseRequested);
}

BrowserPage::~BrowserPage() {
    setUrlRequestInterceptor(nullptr);
}

bool BrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    const BusyScope busy(*this);
    if (!NavigationTypes::isKnownScheme(url.scheme()))
        return acceptUnknownScheme(url);
    return acceptKnownScheme(url, type, isMainFrame);
}

bool BrowserPage::acceptKnownScheme(const QUrl& url, NavigationType type, bool isMainFrame) {
    const bool isRedirect = type == NavigationTypeRedirect;
    const auto handler = requestHandlerOf(*browser_);
    if (handler) {
        // Qt does not tell the method or headers of a navigation: the request
        // carries its URL and the default method.
        auto request = CefRequest::Create();
        request->SetURL(toCefString(url));
        CefRefPtr<CefFrame> frame =
            isMainFrame ? browser_->GetMainFrame() : FrameImpl::subframe(*browser_, url);
        if (handler->OnBeforeBrowse(browser_, frame, request, NavigationTypes::toEngine(type),
                                    isRedirect))
            return false;
    }
    if (isRedirect && isMainFrame && !followRedirect(url))
        return false;
    if (isMainFrame)
        pendingUrl_ = url;
    return true;
}

// The handler may point a redirect elsewhere; the page then loads that URL
// instead of following the server.
bool BrowserPage::followRedirect(const QUrl& url) {
    const auto handler = requestHandlerOf(*browser_);
    if (!handler)
        return true;
    CefString newUrl = toCefString(url);
    handler->OnResourceRedirect(browser_, toCefString(pendingUrl_), newUrl);
    const QUrl target = toQUrl(newUrl);
    if (newUrl.empty() || target == url)
        return true;
    pendingUrl_ = target;
    loads_.abandon(url);
    QMetaObject::invokeMethod(
        this, [this, target] { load(target); }, Qt::QueuedConnection);
    return false;
}

// A scheme the engine cannot load: the handler may take it over, or let the
// desktop open it (Qt opens accepted unknown-scheme URLs with the desktop).
bool BrowserPage::acceptUnknownScheme(const QUrl& url) {
    const auto handler = requestHandlerOf(*browser_);
    if (!handler)
        return false;
    bool allowOsExecution = false;
    if (handler->OnProtocolExecution(browser_, toCefString(url), allowOsExecution))
        return false;
    return allowOsExecution;
}

void BrowserPage::onNewWindowRequested(QWebEngineNewWindowRequest& request) {
    const BusyScope busy(*this);
    const auto engine = Engine::current();
    if (!engine || browser_->isClosed())
        return;
    CefPopupFeatures features;
    CefWindowInfo windowInfo;
    const QRect geometry = request.requestedGeometry();
    windowInfo.m_x = windowInfo.m_y = windowInfo.m_nWidth = windowInfo.m_nHeight =
        CW_USEDEFAULT_VALUE;
    if (geometry.isValid()) {
        features.x = windowInfo.m_x = geometry.x();
        features.y = windowInfo.m_y = geometry.y();
        features.width = windowInfo.m_nWidth = geometry.width();
        features.height = windowInfo.m_nHeight = geometry.height();
        features.xSet = features.ySet = features.widthSet = features.heightSet = true;
    }
    features.dialog = request.destination() == QWebEngineNewWindowRequest::InNewDialog;
    CefBrowserSettings settings = browser_->settings();
    CefRefPtr<CefClient> client = browser_->GetClient();
    const auto lifeSpan = client ? client->GetLifeSpanHandler() : nullptr;
    if (lifeSpan && lifeSpan->OnBeforePopup(browser_, features, windowInfo,
                                            toCefString(request.requestedUrl()), client, settings))
        return; // Left unhandled, Qt opens no window.
    CefRefPtr<BrowserImpl> popup =
        new BrowserImpl(client, settings, true, browser_->GetWindowHandle());
    popup->openPopup(*engine, windowInfo, request);
}

void BrowserPage::onAuthenticationRequired(const QUrl& url, QAuthenticator* authenticator) {
    askCredentials(false, url.host(), url.port(url.scheme() == QLatin1String("https") ? 443 : 80),
                   authenticator);
}

void BrowserPage::onProxyAuthenticationRequired(const QUrl&, QAuthenticator* authenticator,
                                                const QString& proxyHost) {
    const QUrl proxy = QUrl::fromUserInput(proxyHost);
    askCredentials(true, proxy.host(), proxy.port(0), authenticator);
}

// Qt tells the realm but not the authentication scheme, which is passed
// empty. Without credentials the request is cancelled.
void BrowserPage::askCredentials(bool isProxy, const QString& host, int port,
                                 QAuthenticator* authenticator) {
    const BusyScope busy(*this);
    const auto handler = requestHandlerOf(*browser_);
    CefString user;
    CefString password;
    if (handler && handler->GetAuthCredentials(browser_, isProxy, toCefString(host), port,
                                               toCefString(authenticator->realm()), CefString(),
                                               user, password)) {
        authenticator->setUser(toQString(user));
        authenticator->setPassword(toQString(password));
        return;
    }
    *authenticator = QAuthenticator();
}

void BrowserPage::onWindowCloseRequested() {
    if (browser_->settings().javascript_close_windows_disallowed)
        return;
    // Closing destroys this page: leave the signal first.
    QMetaObject::invokeMethod(
        this, [browser = browser_] { browser->requestClose(); }, Qt::QueuedConnection);
}
