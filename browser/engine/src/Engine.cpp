#include "Engine.h"

#include <algorithm>
#include <mutex>

#include <QApplication>
#include <QPointer>
#include <QRegularExpression>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "BrowserImpl.h"
#include "BrowserPage.h"
#include "BrowserView.h"
#include "DownloadRelay.h"
#include "QtText.h"

namespace {

// The engine instance, set while it runs. Chromium starts once per process,
// so an engine that created its own application cannot start again after it
// stopped; ownApplicationEnded records that.
struct EngineSlot {
    std::mutex lock;
    std::shared_ptr<Engine> engine;
    bool ownApplicationEnded = false;
};

EngineSlot& slot() {
    static EngineSlot instance;
    return instance;
}

} // namespace

Engine::Engine(const CefSettings& settings, CefRefPtr<CefApp> application)
    : settings_(settings), application_(application) {}

Engine::~Engine() = default;

bool Engine::initialize(int headerRevision, const CefSettings& settings,
                        CefRefPtr<CefApp> application) {
    if (headerRevision != cef_build_revision() || !settings.multi_threaded_message_loop)
        return false;
    auto& s = slot();
    std::lock_guard guard(s.lock);
    if (s.engine || s.ownApplicationEnded)
        return false;
    auto engine = std::make_shared<Engine>(settings, application);
    if (!engine->start())
        return false;
    s.engine = std::move(engine);
    return true;
}

void Engine::shutdown() {
    std::shared_ptr<Engine> engine;
    {
        auto& s = slot();
        std::lock_guard guard(s.lock);
        engine = s.engine;
    }
    if (!engine)
        return;
    // The engine stays reachable while it drains, so that the tasks already
    // posted may still post follow-up work and ask which thread they are on.
    engine->stop();
    auto& s = slot();
    std::lock_guard guard(s.lock);
    if (engine->ui_.ownsApplication())
        s.ownApplicationEnded = true;
    s.engine.reset();
}

std::shared_ptr<Engine> Engine::current() {
    auto& s = slot();
    std::lock_guard guard(s.lock);
    return s.engine;
}

bool Engine::postTo(CefThreadId threadId, std::function<void()> work, std::int64_t delayMs) {
    const auto engine = current();
    return engine && engine->post(threadId, std::move(work), delayMs);
}

bool Engine::isOn(CefThreadId threadId) {
    const auto engine = current();
    return engine && engine->currentlyOn(threadId);
}

bool Engine::start() {
    if (!ui_.start())
        return false;
    io_ = std::make_unique<TaskThread>("engine-io");
    file_ = std::make_unique<TaskThread>("engine-file");
    ui_.runAndWait([this] { startOnUi(); });
    return true;
}

// Qt WebEngine takes its proxy settings for the whole process when it starts
// and brings its own localized strings and resources, with no hook for either:
// the application's proxy handler (GetProxyForUrl) and resource bundle handler
// (GetLocalizedString, GetDataResource) are therefore never asked. Of the
// settings, the cache path, user agent, product version and locale are used;
// log file and severity, graphics implementation, storage quotas, JavaScript
// flags, proxy auto-detection, resource and locale folders, pack loading and
// extra plugin paths have no counterpart in Qt WebEngine's API.
void Engine::startOnUi() {
    const QString cachePath = toQString(settings_.cache_path);
    if (cachePath.isEmpty()) {
        profile_ = new QWebEngineProfile();
    } else {
        profile_ = new QWebEngineProfile(QStringLiteral("engine"));
        profile_->setPersistentStoragePath(cachePath);
        profile_->setCachePath(cachePath + QStringLiteral("/cache"));
    }
    const QString userAgent = toQString(settings_.user_agent);
    const QString product = toQString(settings_.product_version);
    if (!userAgent.isEmpty()) {
        profile_->setHttpUserAgent(userAgent);
    } else if (!product.isEmpty()) {
        // The product version takes the place of the browser's own product
        // token in the default user agent.
        QString agent = profile_->httpUserAgent();
        agent.replace(QRegularExpression(QStringLiteral("Chrome/[0-9.]+")), product);
        profile_->setHttpUserAgent(agent);
    }
    const QString locale = toQString(settings_.locale);
    if (!locale.isEmpty())
        profile_->setHttpAcceptLanguage(locale);
    // Pages may hand URLs of unknown schemes to the request handler, which
    // decides whether the desktop opens them.
    profile_->settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
    pages_ = new QObject();
    downloads_ = std::make_unique<DownloadRelay>(*this);
    QObject::connect(profile_, &QWebEngineProfile::downloadRequested, downloads_.get(),
                     &DownloadRelay::onDownloadRequested);
}

void Engine::stop() {
    // Closing the browsers and cancelling the downloads queues work on IO;
    // the worker threads then drain before they stop.
    ui_.stop([this] { stopOnUi(); });
    io_->stop();
    file_->stop();
}

void Engine::stopOnUi() {
    // Downloads first: their jobs refer to the browsers.
    if (downloads_)
        downloads_->cancelAll();
    auto browsers = browsers_;
    for (auto& browser : browsers)
        browser->closeNow(true);
    browsers_.clear();
    // Views of browsers closed just before may still wait for deletion; the
    // profile must outlive every page.
    QList<QPointer<BrowserView>> views;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* view = qobject_cast<BrowserView*>(widget))
            views.append(view);
    }
    for (const auto& view : views)
        delete view.data();
    downloads_.reset();
    // A page whose signal is being handled (the engine stopped from inside a
    // handler) is deleted once the handler returns; the profile follows it.
    bool pageDeferred = false;
    for (auto* page : pages_->findChildren<BrowserPage*>(Qt::FindDirectChildrenOnly)) {
        if (page->isBusy()) {
            page->setParent(nullptr);
            pageDeferred = true;
        } else {
            delete page;
        }
    }
    delete pages_;
    pages_ = nullptr;
    if (pageDeferred)
        profile_->deleteLater();
    else
        delete profile_;
    profile_ = nullptr;
}

bool Engine::post(CefThreadId threadId, std::function<void()> work, std::int64_t delayMs) {
    switch (threadId) {
    case TID_UI:
        return ui_.post(std::move(work), delayMs);
    case TID_IO:
        return io_->post(std::move(work), delayMs);
    case TID_FILE:
        return file_->post(std::move(work), delayMs);
    }
    return false;
}

bool Engine::currentlyOn(CefThreadId threadId) const {
    switch (threadId) {
    case TID_UI:
        return ui_.isCurrent();
    case TID_IO:
        return io_->isCurrent();
    case TID_FILE:
        return file_->isCurrent();
    }
    return false;
}

void Engine::addBrowser(CefRefPtr<BrowserImpl> browser) {
    browsers_.push_back(browser);
    std::lock_guard guard(windowsLock_);
    windows_.push_back(browser->GetWindowHandle());
}

void Engine::removeBrowser(BrowserImpl* browser) {
    std::erase_if(browsers_, [browser](const auto& b) { return b.get() == browser; });
    std::lock_guard guard(windowsLock_);
    std::erase(windows_, browser->GetWindowHandle());
}

bool Engine::hasBrowserWindow(cef_window_handle_t window) const {
    std::lock_guard guard(windowsLock_);
    return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

CefRefPtr<BrowserImpl> Engine::browserForWindow(cef_window_handle_t window) const {
    for (const auto& browser : browsers_) {
        if (browser->GetWindowHandle() == window)
            return browser;
    }
    return nullptr;
}
