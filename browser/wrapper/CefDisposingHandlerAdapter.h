#pragma once

#include "browser/wrapper/CefLifeSpanHandler.h"
#include "browser/wrapper/CefLoadHandler.h"
#include "browser/wrapper/CefRequestHandler.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace plenfox::cef {

// A life-span, load and request handler that does nothing but give back what
// it is handed: the browser, frame, request and response objects are fresh
// per call and must be disposed before the call returns. Every callback
// answers the default (allow, do not handle, no cookie manager). Handlers
// override only the callbacks where they act, and can end with the call to
// this base to dispose what they were given.
class CefDisposingHandlerAdapter : public CefLifeSpanHandler,
                                   public CefLoadHandler,
                                   public CefRequestHandler {
public:
    // Disposes only the parent: the window info and settings are read after
    // the call when the popup goes ahead.
    bool onBeforePopup(std::shared_ptr<CefBrowser> parent, std::shared_ptr<CefPopupFeatures>,
                       std::shared_ptr<CefWindowInfo>, QString, std::shared_ptr<CefClientBox>,
                       std::shared_ptr<CefBrowserSettings>) override;
    // The created browser is the one that lives on; it is not disposed here.
    void onAfterCreated(std::shared_ptr<CefBrowser>) override {}
    bool runModal(std::shared_ptr<CefBrowser> browser) override;
    bool doClose(std::shared_ptr<CefBrowser> browser) override;
    void onBeforeClose(std::shared_ptr<CefBrowser> browser) override;

    void onLoadStart(std::shared_ptr<CefBrowser> browser, std::shared_ptr<CefFrame> frame) override;
    void onLoadEnd(std::shared_ptr<CefBrowser> browser, std::shared_ptr<CefFrame> frame,
                   std::int32_t) override;
    bool onLoadError(std::shared_ptr<CefBrowser> browser, std::shared_ptr<CefFrame> frame,
                     std::optional<CefHandlerErrorCode>, QString,
                     std::shared_ptr<CefStringBox>) override;

    bool onBeforeBrowse(std::shared_ptr<CefBrowser> browser, std::shared_ptr<CefFrame> frame,
                        std::shared_ptr<CefRequest> request, std::optional<CefNavigationType>,
                        bool) override;
    bool onBeforeResourceLoad(std::shared_ptr<CefBrowser> browser,
                              std::shared_ptr<CefRequest> request, std::shared_ptr<CefStringBox>,
                              std::shared_ptr<CefStreamReaderBox>,
                              std::shared_ptr<CefResponse> response, std::int32_t) override;
    void onResourceRedirect(std::shared_ptr<CefBrowser> browser, QString,
                            std::shared_ptr<CefStringBox>) override;
    void onResourceResponse(std::shared_ptr<CefBrowser> browser, QString,
                            std::shared_ptr<CefResponse> response,
                            std::shared_ptr<CefContentFilterBox>) override;
    bool onProtocolExecution(std::shared_ptr<CefBrowser> browser, QString,
                             std::shared_ptr<CefBooleanBox>) override;
    bool getDownloadHandler(std::shared_ptr<CefBrowser> browser, QString, QString, std::int64_t,
                            std::shared_ptr<CefDownloadHandlerBox>) override;
    bool getAuthCredentials(std::shared_ptr<CefBrowser> browser, bool, QString, std::int32_t,
                            QString, QString, std::shared_ptr<CefStringBox>,
                            std::shared_ptr<CefStringBox>) override;
    std::shared_ptr<CefCookieManager> getCookieManager(std::shared_ptr<CefBrowser> browser,
                                                       QString) override;

protected:
    // Dispose a handed object; a missing one is skipped.
    static void release(const std::shared_ptr<CefBrowser>& browser);
    static void release(const std::shared_ptr<CefFrame>& frame);
};

} // namespace plenfox::cef
