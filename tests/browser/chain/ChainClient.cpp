#include "ChainClient.h"

#include "browser/jni/DirectByteBuffer.h"

namespace plenfox::test {

std::shared_ptr<cef::CefLifeSpanHandler> ChainClient::getLifeSpanHandler() {
    return std::dynamic_pointer_cast<cef::CefLifeSpanHandler>(shared_from_this());
}

std::shared_ptr<cef::CefLoadHandler> ChainClient::getLoadHandler() {
    return std::dynamic_pointer_cast<cef::CefLoadHandler>(shared_from_this());
}

std::shared_ptr<cef::CefRequestHandler> ChainClient::getRequestHandler() {
    return std::dynamic_pointer_cast<cef::CefRequestHandler>(shared_from_this());
}

void ChainClient::record(const QString& kind, const QString& url, std::int64_t number) {
    std::lock_guard guard(lock);
    recorded.push_back({kind, url, std::this_thread::get_id(), number});
}

void ChainClient::keepAndDispose(std::shared_ptr<cef::CefBrowser> browser,
                                 std::shared_ptr<cef::CefFrame> frame) {
    if (frame)
        frame->dispose();
    if (!disposeBrowsers)
        return;
    if (browser)
        browser->dispose();
    std::lock_guard guard(lock);
    if (browser)
        received.push_back(browser);
    if (frame)
        received.push_back(frame);
}

bool ChainClient::onBeforePopup(std::shared_ptr<cef::CefBrowser> parent,
                                std::shared_ptr<cef::CefPopupFeatures>,
                                std::shared_ptr<cef::CefWindowInfo> windowInfo, QString url,
                                std::shared_ptr<cef::CefClientBox>,
                                std::shared_ptr<cef::CefBrowserSettings> settings) {
    record(QStringLiteral("popup"), url);
    keepAndDispose(parent);
    windowInfo->dispose();
    settings->dispose();
    return true;
}

void ChainClient::onAfterCreated(std::shared_ptr<cef::CefBrowser> browser) {
    record(QStringLiteral("created"), QString());
    std::lock_guard guard(lock);
    created = browser;
}

bool ChainClient::runModal(std::shared_ptr<cef::CefBrowser> browser) {
    keepAndDispose(browser);
    return false;
}

bool ChainClient::doClose(std::shared_ptr<cef::CefBrowser> browser) {
    keepAndDispose(browser);
    return false;
}

void ChainClient::onBeforeClose(std::shared_ptr<cef::CefBrowser> browser) {
    record(QStringLiteral("close"), QString());
    keepAndDispose(browser);
}

void ChainClient::onLoadStart(std::shared_ptr<cef::CefBrowser> browser,
                              std::shared_ptr<cef::CefFrame> frame) {
    record(QStringLiteral("loadStart"), frame ? frame->getURL() : QString());
    keepAndDispose(browser, frame);
}

void ChainClient::onLoadEnd(std::shared_ptr<cef::CefBrowser> browser,
                            std::shared_ptr<cef::CefFrame> frame, std::int32_t statusCode) {
    record(QStringLiteral("loadEnd"), frame ? frame->getURL() : QString(), statusCode);
    keepAndDispose(browser, frame);
}

bool ChainClient::onLoadError(std::shared_ptr<cef::CefBrowser> browser,
                              std::shared_ptr<cef::CefFrame> frame,
                              std::optional<cef::CefHandlerErrorCode> errorCode, QString failedUrl,
                              std::shared_ptr<cef::CefStringBox>) {
    record(QStringLiteral("loadError"), failedUrl, errorCode ? cef::getValue(*errorCode) : 0);
    keepAndDispose(browser, frame);
    return false;
}

bool ChainClient::onBeforeBrowse(std::shared_ptr<cef::CefBrowser> browser,
                                 std::shared_ptr<cef::CefFrame> frame,
                                 std::shared_ptr<cef::CefRequest> request,
                                 std::optional<cef::CefNavigationType>, bool) {
    record(QStringLiteral("beforeBrowse"), request ? request->getURL() : QString());
    if (request)
        request->dispose();
    keepAndDispose(browser, frame);
    if (beforeBrowseAction)
        beforeBrowseAction();
    return false;
}

bool ChainClient::onBeforeResourceLoad(std::shared_ptr<cef::CefBrowser> browser,
                                       std::shared_ptr<cef::CefRequest> request,
                                       std::shared_ptr<cef::CefStringBox>,
                                       std::shared_ptr<cef::CefStreamReaderBox>,
                                       std::shared_ptr<cef::CefResponse> response, std::int32_t) {
    record(QStringLiteral("beforeResourceLoad"), request ? request->getURL() : QString());
    if (request && resourceRequestAction)
        resourceRequestAction(*request);
    if (request)
        request->dispose();
    if (response)
        response->dispose();
    keepAndDispose(browser);
    return false;
}

void ChainClient::onResourceRedirect(std::shared_ptr<cef::CefBrowser> browser, QString,
                                     std::shared_ptr<cef::CefStringBox>) {
    keepAndDispose(browser);
}

void ChainClient::onResourceResponse(std::shared_ptr<cef::CefBrowser> browser, QString url,
                                     std::shared_ptr<cef::CefResponse> response,
                                     std::shared_ptr<cef::CefContentFilterBox>) {
    record(QStringLiteral("resourceResponse"), url, response ? response->getStatus() : -1);
    if (response)
        response->dispose();
    keepAndDispose(browser);
}

bool ChainClient::onProtocolExecution(std::shared_ptr<cef::CefBrowser> browser, QString,
                                      std::shared_ptr<cef::CefBooleanBox> allow) {
    allow->setValue(false);
    keepAndDispose(browser);
    return false;
}

bool ChainClient::getDownloadHandler(std::shared_ptr<cef::CefBrowser> browser, QString mimeType,
                                     QString fileName, std::int64_t contentLength,
                                     std::shared_ptr<cef::CefDownloadHandlerBox> handler) {
    record(QStringLiteral("download"), mimeType + QLatin1Char(' ') + fileName, contentLength);
    keepAndDispose(browser);
    std::shared_ptr<cef::CefDownloadHandler> given =
        downloadHandlerFactory ? downloadHandlerFactory(mimeType, fileName, contentLength)
                               : downloadHandler;
    if (!given)
        return false;
    handler->setValue(given);
    return true;
}

bool ChainClient::getAuthCredentials(std::shared_ptr<cef::CefBrowser> browser, bool, QString,
                                     std::int32_t, QString, QString,
                                     std::shared_ptr<cef::CefStringBox>,
                                     std::shared_ptr<cef::CefStringBox>) {
    keepAndDispose(browser);
    return false;
}

std::shared_ptr<cef::CefCookieManager>
ChainClient::getCookieManager(std::shared_ptr<cef::CefBrowser> browser, QString) {
    keepAndDispose(browser);
    return nullptr;
}

std::vector<ChainEvent> ChainClient::events() const {
    std::lock_guard guard(lock);
    return recorded;
}

bool ChainClient::has(const QString& kind, const QString& url) const {
    std::lock_guard guard(lock);
    for (const ChainEvent& event : recorded)
        if (event.kind == kind && (url.isNull() || event.url == url))
            return true;
    return false;
}

void ChainClient::clear() {
    std::lock_guard guard(lock);
    recorded.clear();
}

std::shared_ptr<cef::CefBrowser> ChainClient::browser() const {
    std::lock_guard guard(lock);
    return created;
}

std::vector<std::shared_ptr<jni::JavaObject>> ChainClient::receivedObjects() const {
    std::lock_guard guard(lock);
    return received;
}

bool CollectingDownload::receivedData(std::shared_ptr<jni::DirectByteBuffer> data) {
    const auto bytes = data->bytes();
    std::lock_guard guard(lock);
    collected.append(reinterpret_cast<const char*>(bytes.data()),
                     static_cast<qsizetype>(bytes.size()));
    thread = std::this_thread::get_id();
    return true;
}

void CollectingDownload::complete() {
    {
        std::lock_guard guard(lock);
        completed = true;
    }
    if (onComplete)
        onComplete();
}

QByteArray CollectingDownload::bytes() const {
    std::lock_guard guard(lock);
    return collected;
}

bool CollectingDownload::isComplete() const {
    std::lock_guard guard(lock);
    return completed;
}

std::thread::id CollectingDownload::dataThread() const {
    std::lock_guard guard(lock);
    return thread;
}

} // namespace plenfox::test
