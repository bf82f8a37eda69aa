#include "BrowserImpl.h"

#include <cmath>

#include <QWebEngineHistory>
#include <QWebEngineNewWindowRequest>
#include <QWindow>

#include "BrowserPage.h"
#include "BrowserSettingsApplier.h"
#include "BrowserView.h"
#include "Engine.h"
#include "FrameImpl.h"
#include "QtText.h"
#include "cef_life_span_handler.h"

namespace {

// Zoom levels count steps of 20 per cent.
constexpr double ZoomStep = 1.2;

CefRefPtr<CefLifeSpanHandler> lifeSpanOf(const CefRefPtr<CefClient>& client) {
    return client ? client->GetLifeSpanHandler() : nullptr;
}

int orDefault(int value, int fallback) {
    return value == CW_USEDEFAULT_VALUE ? fallback : value;
}

} // namespace

BrowserImpl::BrowserImpl(CefRefPtr<CefClient> client, const CefBrowserSettings& settings,
                         bool popup, cef_window_handle_t opener)
    : client_(client), settings_(settings), popup_(popup), opener_(opener) {}

BrowserImpl::~BrowserImpl() = default;

QPointer<QWidget> BrowserImpl::parentWidgetOf(const CefWindowInfo& windowInfo) {
    if (windowInfo.m_hWndParent == cef_window_handle_t{} || windowInfo.m_bWindowRenderingDisabled)
        return nullptr;
    return QWidget::find(static_cast<WId>(windowInfo.m_hWndParent));
}

void BrowserImpl::open(Engine& engine, const CefWindowInfo& windowInfo, const QUrl& url,
                       QPointer<QWidget> parent) {
    build(engine, windowInfo, std::move(parent));
    announce(engine);
    if (!url.isEmpty() && page_)
        page_->load(url);
}

void BrowserImpl::openPopup(Engine& engine, const CefWindowInfo& windowInfo,
                            QWebEngineNewWindowRequest& request) {
    build(engine, windowInfo, nullptr);
    announce(engine);
    request.openIn(page_);
}

void BrowserImpl::build(Engine& engine, const CefWindowInfo& windowInfo, QPointer<QWidget> parent) {
    engine_ = &engine;
    view_ = new BrowserView(*this, nullptr);
    page_ = new BrowserPage(engine.profile(), *this, engine.pages());
    view_->setPage(page_);
    BrowserSettingsApplier::applyToView(settings_, *view_);
    placeView(windowInfo, std::move(parent));
    // A parent window that goes away takes the view with it: the browser is
    // closed then too.
    CefRefPtr<BrowserImpl> self(this);
    QObject::connect(view_, &QObject::destroyed, [self] {
        // The view is half destroyed already: the close leaves it alone.
        self->view_ = nullptr;
        self->closeNow();
    });
    std::lock_guard guard(lock_);
    window_ = static_cast<cef_window_handle_t>(view_->winId());
}

// The view becomes a child of the parent window when one is named (a widget
// of this process, or a foreign native window), stays hidden when window
// rendering is disabled, and is a window of its own otherwise. A parent id
// that names no widget of this process is said on the error output: when it
// was a widget's id once, that widget's native window was made anew since
// (the view may then land outside it).
void BrowserImpl::placeView(const CefWindowInfo& windowInfo, QPointer<QWidget> parent) {
    const int width = orDefault(windowInfo.m_nWidth, 800);
    const int height = orDefault(windowInfo.m_nHeight, 600);
    const QRect rect(orDefault(windowInfo.m_x, 0), orDefault(windowInfo.m_y, 0),
                     width > 0 ? width : 800, height > 0 ? height : 600);
    const auto parentId = static_cast<WId>(windowInfo.m_hWndParent);
    if (windowInfo.m_bWindowRenderingDisabled) {
        view_->setAttribute(Qt::WA_DontShowOnScreen);
        view_->resize(rect.size());
        view_->show();
        return;
    }
    if (parentId != 0) {
        if (!parent)
            parent = QWidget::find(parentId);
        if (parent) {
            view_->setParent(parent);
            view_->setGeometry(rect);
            view_->show();
            return;
        }
        if (QWindow* foreign = QWindow::fromWinId(parentId)) {
            qInfo("engine: parent window 0x%llx is no widget of this program; the browser is "
                  "placed in it as a foreign window",
                  static_cast<unsigned long long>(parentId));
            view_->winId();
            view_->windowHandle()->setParent(foreign);
            view_->setGeometry(rect);
            view_->show();
            return;
        }
        qWarning("engine: parent window 0x%llx not found; the browser opens in a window of its "
                 "own",
                 static_cast<unsigned long long>(parentId));
    }
    if (!windowInfo.m_windowName.empty())
        view_->setWindowTitle(toQString(windowInfo.m_windowName));
    if (windowInfo.m_x == CW_USEDEFAULT_VALUE || windowInfo.m_y == CW_USEDEFAULT_VALUE)
        view_->resize(rect.size());
    else
        view_->setGeometry(rect);
    view_->show();
}

// The life-span handler's RunModal is never called: Qt WebEngine runs no modal
// loop of its own for a browser.
void BrowserImpl::announce(Engine& engine) {
    engine.addBrowser(this);
    refreshState();
    if (const auto lifeSpan = lifeSpanOf(client_))
        lifeSpan->OnAfterCreated(this);
}

void BrowserImpl::onUi(std::function<void(BrowserPage&)> work) {
    if (Engine::isOn(TID_UI)) {
        if (page_ && !isClosed())
            work(*page_);
        return;
    }
    CefRefPtr<BrowserImpl> self(this);
    Engine::postTo(TID_UI, [self, work = std::move(work)] {
        if (self->page_ && !self->isClosed())
            work(*self->page_);
    });
}

BrowserPage* BrowserImpl::page() const {
    return isClosed() ? nullptr : page_.data();
}

void BrowserImpl::refreshState() {
    if (!page_)
        return;
    std::lock_guard guard(lock_);
    canGoBack_ = page_->history()->canGoBack();
    canGoForward_ = page_->history()->canGoForward();
    url_ = page_->url().toString(QUrl::FullyEncoded);
}

void BrowserImpl::requestClose() {
    if (isClosed())
        return;
    CefRefPtr<BrowserImpl> self(this);
    if (const auto lifeSpan = lifeSpanOf(client_)) {
        if (lifeSpan->DoClose(this))
            return;
    }
    closeNow();
}

void BrowserImpl::closeNow(bool immediately) {
    CefRefPtr<BrowserImpl> self(this);
    {
        std::lock_guard guard(lock_);
        if (closed_)
            return;
        closed_ = true;
    }
    if (const auto lifeSpan = lifeSpanOf(client_))
        lifeSpan->OnBeforeClose(this);
    if (view_) {
        view_->hide();
        if (immediately)
            delete view_.data();
        else
            view_->deleteLater();
    }
    // The page may be inside one of its own signals, whose handlers go on
    // using it: it is deleted at once only when it is not.
    if (page_) {
        if (immediately && !page_->isBusy())
            delete page_.data();
        else
            page_->deleteLater();
    }
    if (engine_)
        engine_->removeBrowser(this);
}

void BrowserImpl::setWindowRect(int x, int y, int width, int height) {
    if (view_ && !isClosed())
        view_->setGeometry(x, y, width, height);
}

QString BrowserImpl::url() const {
    std::lock_guard guard(lock_);
    return url_;
}

bool BrowserImpl::isClosed() const {
    std::lock_guard guard(lock_);
    return closed_;
}

// Windows of this engine need no warning before their parent closes.
void BrowserImpl::ParentWindowWillClose() {}

void BrowserImpl::CloseBrowser() {
    CefRefPtr<BrowserImpl> self(this);
    Engine::postTo(TID_UI, [self] { self->requestClose(); });
}

bool BrowserImpl::CanGoBack() {
    std::lock_guard guard(lock_);
    return canGoBack_;
}

void BrowserImpl::GoBack() {
    onUi([](BrowserPage& page) { page.triggerAction(QWebEnginePage::Back); });
}

bool BrowserImpl::CanGoForward() {
    std::lock_guard guard(lock_);
    return canGoForward_;
}

void BrowserImpl::GoForward() {
    onUi([](BrowserPage& page) { page.triggerAction(QWebEnginePage::Forward); });
}

void BrowserImpl::Reload() {
    onUi([](BrowserPage& page) { page.triggerAction(QWebEnginePage::Reload); });
}

void BrowserImpl::ReloadIgnoreCache() {
    onUi([](BrowserPage& page) { page.triggerAction(QWebEnginePage::ReloadAndBypassCache); });
}

void BrowserImpl::StopLoad() {
    onUi([](BrowserPage& page) { page.triggerAction(QWebEnginePage::Stop); });
}

void BrowserImpl::SetFocus(bool enable) {
    CefRefPtr<BrowserImpl> self(this);
    onUi([self, enable](BrowserPage&) {
        if (!self->view_)
            return;
        if (enable)
            self->view_->setFocus();
        else
            self->view_->clearFocus();
    });
}

cef_window_handle_t BrowserImpl::GetWindowHandle() {
    std::lock_guard guard(lock_);
    return window_;
}

cef_window_handle_t BrowserImpl::GetOpenerWindowHandle() {
    return opener_;
}

bool BrowserImpl::IsPopup() {
    return popup_;
}

bool BrowserImpl::HasDocument() {
    std::lock_guard guard(lock_);
    return !url_.isEmpty();
}

CefRefPtr<CefClient> BrowserImpl::GetClient() {
    return client_;
}

CefRefPtr<CefFrame> BrowserImpl::GetMainFrame() {
    if (isClosed())
        return nullptr;
    return FrameImpl::main(*this);
}

CefRefPtr<CefFrame> BrowserImpl::GetFocusedFrame() {
    return GetMainFrame();
}

CefRefPtr<CefFrame> BrowserImpl::GetFrame(const CefString& name) {
    // The main frame is the only one known, and it has no name.
    return name.empty() ? GetMainFrame() : nullptr;
}

void BrowserImpl::GetFrameNames(std::vector<CefString>& names) {
    names.clear();
    if (!isClosed())
        names.emplace_back();
}

double BrowserImpl::GetZoomLevel() {
    std::lock_guard guard(lock_);
    return zoomLevel_;
}

void BrowserImpl::SetZoomLevel(double zoomLevel) {
    {
        std::lock_guard guard(lock_);
        zoomLevel_ = zoomLevel;
    }
    onUi([zoomLevel](BrowserPage& page) { page.setZoomFactor(std::pow(ZoomStep, zoomLevel)); });
}

void BrowserImpl::ClearHistory() {
    CefRefPtr<BrowserImpl> self(this);
    onUi([self](BrowserPage& page) {
        page.history()->clear();
        self->refreshState();
    });
}
