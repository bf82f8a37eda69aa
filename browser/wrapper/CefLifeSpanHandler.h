#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefBrowser.h"
#include "browser/wrapper/CefBrowserSettings.h"
#include "browser/wrapper/CefPopupFeatures.h"
#include "browser/wrapper/CefWindowInfo.h"

#include <QString>

#include <memory>

#include <string_view>

namespace plenfox::cef {

class CefClientBox;

// Learns when browsers are made and closed. Called on the engine's UI thread;
// the browser objects are fresh per call and disposed by the handler.
class CefLifeSpanHandler : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefLifeSpanHandler";

    // True cancels the popup; changes to the window info and settings apply to it.
    virtual bool onBeforePopup(std::shared_ptr<CefBrowser> parent,
                               std::shared_ptr<CefPopupFeatures> features,
                               std::shared_ptr<CefWindowInfo> windowInfo, QString url,
                               std::shared_ptr<CefClientBox> client,
                               std::shared_ptr<CefBrowserSettings> settings) = 0;
    virtual void onAfterCreated(std::shared_ptr<CefBrowser> browser) = 0;
    virtual bool runModal(std::shared_ptr<CefBrowser> browser) = 0;
    virtual bool doClose(std::shared_ptr<CefBrowser> browser) = 0;
    virtual void onBeforeClose(std::shared_ptr<CefBrowser> browser) = 0;
};

} // namespace plenfox::cef
