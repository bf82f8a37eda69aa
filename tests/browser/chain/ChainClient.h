#pragma once

#include "browser/wrapper/CefClientAdapter.h"
#include "browser/wrapper/CefDownloadHandler.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace plenfox::test {

// One call a handler received: what, for which address, on which thread.
struct ChainEvent {
    QString kind;
    QString url;
    std::thread::id thread;
    std::int64_t number = 0;
};

// A client whose handlers record what they receive and dispose the objects
// handed to them, as the client's own handlers do.
class ChainClient final : public cef::CefClientAdapter,
                          public cef::CefLifeSpanHandler,
                          public cef::CefLoadHandler,
                          public cef::CefRequestHandler {
public:
    std::shared_ptr<cef::CefLifeSpanHandler> getLifeSpanHandler() override;
    std::shared_ptr<cef::CefLoadHandler> getLoadHandler() override;
    std::shared_ptr<cef::CefRequestHandler> getRequestHandler() override;

    bool onBeforePopup(std::shared_ptr<cef::CefBrowser> parent,
                       std::shared_ptr<cef::CefPopupFeatures>,
                       std::shared_ptr<cef::CefWindowInfo> windowInfo, QString url,
                       std::shared_ptr<cef::CefClientBox>,
                       std::shared_ptr<cef::CefBrowserSettings> settings) override;
    void onAfterCreated(std::shared_ptr<cef::CefBrowser> browser) override;
    bool runModal(std::shared_ptr<cef::CefBrowser> browser) override;
    bool doClose(std::shared_ptr<cef::CefBrowser> browser) override;
    void onBeforeClose(std::shared_ptr<cef::CefBrowser> browser) override;

    void onLoadStart(std::shared_ptr<cef::CefBrowser> browser,
                     std::shared_ptr<cef::CefFrame> frame) override;
    void onLoadEnd(std::shared_ptr<cef::CefBrowser> browser, std::shared_ptr<cef::CefFrame> frame,
                   std::int32_t statusCode) override;
    bool onLoadError(std::shared_ptr<cef::CefBrowser> browser, std::shared_ptr<cef::CefFrame> frame,
                     std::optional<cef::CefHandlerErrorCode> errorCode, QString failedUrl,
                     std::shared_ptr<cef::CefStringBox> errorText) override;

    bool onBeforeBrowse(std::shared_ptr<cef::CefBrowser> browser,
                        std::shared_ptr<cef::CefFrame> frame,
                        std::shared_ptr<cef::CefRequest> request,
                        std::optional<cef::CefNavigationType> navigationType,
                        bool isRedirect) override;
    bool onBeforeResourceLoad(std::shared_ptr<cef::CefBrowser> browser,
                              std::shared_ptr<cef::CefRequest> request,
                              std::shared_ptr<cef::CefStringBox> redirectUrl,
                              std::shared_ptr<cef::CefStreamReaderBox> resourceStream,
                              std::shared_ptr<cef::CefResponse> response,
                              std::int32_t loadFlags) override;
    void onResourceRedirect(std::shared_ptr<cef::CefBrowser> browser, QString oldUrl,
                            std::shared_ptr<cef::CefStringBox> newUrl) override;
    void onResourceResponse(std::shared_ptr<cef::CefBrowser> browser, QString url,
                            std::shared_ptr<cef::CefResponse> response,
                            std::shared_ptr<cef::CefContentFilterBox> filter) override;
    bool onProtocolExecution(std::shared_ptr<cef::CefBrowser> browser, QString url,
                             std::shared_ptr<cef::CefBooleanBox> allow) override;
    bool getDownloadHandler(std::shared_ptr<cef::CefBrowser> browser, QString mimeType,
                            QString fileName, std::int64_t contentLength,
                            std::shared_ptr<cef::CefDownloadHandlerBox> handler) override;
    bool getAuthCredentials(std::shared_ptr<cef::CefBrowser> browser, bool isProxy, QString host,
                            std::int32_t port, QString realm, QString scheme,
                            std::shared_ptr<cef::CefStringBox> username,
                            std::shared_ptr<cef::CefStringBox> password) override;
    std::shared_ptr<cef::CefCookieManager>
    getCookieManager(std::shared_ptr<cef::CefBrowser> browser, QString mainUrl) override;

    std::vector<ChainEvent> events() const;
    bool has(const QString& kind, const QString& url = QString()) const;
    void clear();
    // The browser from onAfterCreated, kept until the test closes it.
    std::shared_ptr<cef::CefBrowser> browser() const;
    // Every browser and frame object a handler was given, each disposed by then.
    std::vector<std::shared_ptr<jni::JavaObject>> receivedObjects() const;

    // Set by tests.
    std::function<void()> beforeBrowseAction;
    // When false, handlers drop the browser objects they are given without
    // disposing them (a dropped browser disposes itself; frames do not).
    std::atomic<bool> disposeBrowsers{true};
    std::function<void(cef::CefRequest&)> resourceRequestAction;
    std::shared_ptr<cef::CefDownloadHandler> downloadHandler;
    // When set, makes the handler of each offered download instead (null
    // refuses it).
    std::function<std::shared_ptr<cef::CefDownloadHandler>(
        const QString& mimeType, const QString& fileName, std::int64_t contentLength)>
        downloadHandlerFactory;

private:
    void record(const QString& kind, const QString& url, std::int64_t number = 0);
    void keepAndDispose(std::shared_ptr<cef::CefBrowser> browser,
                        std::shared_ptr<cef::CefFrame> frame = nullptr);

    mutable std::mutex lock;
    std::vector<ChainEvent> recorded;
    std::vector<std::shared_ptr<jni::JavaObject>> received;
    std::shared_ptr<cef::CefBrowser> created;
};

// Collects the bytes of one download.
class CollectingDownload final : public cef::CefDownloadHandler {
public:
    bool receivedData(std::shared_ptr<jni::DirectByteBuffer> data) override;
    void complete() override;

    // Runs inside complete(), after the download was marked complete.
    std::function<void()> onComplete;
    QByteArray bytes() const;
    bool isComplete() const;
    std::thread::id dataThread() const;

private:
    mutable std::mutex lock;
    QByteArray collected;
    bool completed = false;
    std::thread::id thread;
};

} // namespace plenfox::test
