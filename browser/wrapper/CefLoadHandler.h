#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefBrowser.h"
#include "browser/wrapper/CefFrame.h"
#include "browser/wrapper/CefHandlerErrorCode.h"
#include "browser/wrapper/CefStringBox.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

#include <string_view>

namespace plenfox::cef {

// Follows page loads. The browser and frame objects are fresh per call.
class CefLoadHandler : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefLoadHandler";

    virtual void onLoadStart(std::shared_ptr<CefBrowser> browser,
                             std::shared_ptr<CefFrame> frame) = 0;
    virtual void onLoadEnd(std::shared_ptr<CefBrowser> browser, std::shared_ptr<CefFrame> frame,
                           std::int32_t statusCode) = 0;
    // The error text box may be rewritten to change the text shown.
    virtual bool onLoadError(std::shared_ptr<CefBrowser> browser, std::shared_ptr<CefFrame> frame,
                             std::optional<CefHandlerErrorCode> errorCode, QString failedUrl,
                             std::shared_ptr<CefStringBox> errorText) = 0;
};

} // namespace plenfox::cef
