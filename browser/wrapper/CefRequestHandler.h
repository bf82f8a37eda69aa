#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefBooleanBox.h"
#include "browser/wrapper/CefBrowser.h"
#include "browser/wrapper/CefContentFilterBox.h"
#include "browser/wrapper/CefCookieManager.h"
#include "browser/wrapper/CefDownloadHandlerBox.h"
#include "browser/wrapper/CefFrame.h"
#include "browser/wrapper/CefNavigationType.h"
#include "browser/wrapper/CefRequest.h"
#include "browser/wrapper/CefResponse.h"
#include "browser/wrapper/CefStreamReaderBox.h"
#include "browser/wrapper/CefStringBox.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

#include <string_view>

namespace plenfox::cef {

// Decides about navigations, resources and downloads. Called on the engine's
// threads with objects that are fresh per call.
class CefRequestHandler : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefRequestHandler";

    // True cancels the navigation.
    virtual bool onBeforeBrowse(std::shared_ptr<CefBrowser> browser,
                                std::shared_ptr<CefFrame> frame,
                                std::shared_ptr<CefRequest> request,
                                std::optional<CefNavigationType> navigationType,
                                bool isRedirect) = 0;
    virtual bool onBeforeResourceLoad(std::shared_ptr<CefBrowser> browser,
                                      std::shared_ptr<CefRequest> request,
                                      std::shared_ptr<CefStringBox> redirectUrl,
                                      std::shared_ptr<CefStreamReaderBox> resourceStream,
                                      std::shared_ptr<CefResponse> response,
                                      std::int32_t loadFlags) = 0;
    virtual void onResourceRedirect(std::shared_ptr<CefBrowser> browser, QString oldUrl,
                                    std::shared_ptr<CefStringBox> newUrl) = 0;
    virtual void onResourceResponse(std::shared_ptr<CefBrowser> browser, QString url,
                                    std::shared_ptr<CefResponse> response,
                                    std::shared_ptr<CefContentFilterBox> filter) = 0;
    virtual bool onProtocolExecution(std::shared_ptr<CefBrowser> browser, QString url,
                                     std::shared_ptr<CefBooleanBox> allowOsExecution) = 0;
    // A handler put into the box receives the download.
    virtual bool getDownloadHandler(std::shared_ptr<CefBrowser> browser, QString mimeType,
                                    QString fileName, std::int64_t contentLength,
                                    std::shared_ptr<CefDownloadHandlerBox> handler) = 0;
    virtual bool getAuthCredentials(std::shared_ptr<CefBrowser> browser, bool isProxy, QString host,
                                    std::int32_t port, QString realm, QString scheme,
                                    std::shared_ptr<CefStringBox> username,
                                    std::shared_ptr<CefStringBox> password) = 0;
    virtual std::shared_ptr<CefCookieManager> getCookieManager(std::shared_ptr<CefBrowser> browser,
                                                               QString mainUrl) = 0;
};

} // namespace plenfox::cef
