#pragma once

#include "browser/wrapper/CefApp.h"
#include "browser/wrapper/CefBrowserSettings.h"
#include "browser/wrapper/CefClient.h"
#include "browser/wrapper/CefSettings.h"
#include "browser/wrapper/CefWindowInfo.h"

#include <QString>

#include <memory>

namespace plenfox::cef {

// Starts and stops the engine and makes browsers and their settings.
class CefFactory {
public:
    virtual ~CefFactory() = default;

    // True when the engine started; use browsers only then.
    virtual bool initialize(std::shared_ptr<CefSettings> settings, std::shared_ptr<CefApp> app) = 0;
    virtual void shutdown() = 0;
    // The browser arrives later, through the life-span handler's onAfterCreated.
    virtual void createBrowser(std::shared_ptr<CefWindowInfo> windowInfo,
                               std::shared_ptr<CefClient> client, const QString& url,
                               std::shared_ptr<CefBrowserSettings> browserSettings) = 0;
    virtual std::shared_ptr<CefSettings> createSettings() = 0;
    // A separate copy; null when the other has no native structure.
    virtual std::shared_ptr<CefSettings> createSettings(std::shared_ptr<CefSettings> other) = 0;
    virtual std::shared_ptr<CefBrowserSettings> createBrowserSettings() = 0;
    virtual std::shared_ptr<CefBrowserSettings>
    createBrowserSettings(std::shared_ptr<CefBrowserSettings> other) = 0;
    virtual std::shared_ptr<CefWindowInfo> createWindowInfo() = 0;
    virtual std::shared_ptr<CefWindowInfo>
    createWindowInfo(std::shared_ptr<CefWindowInfo> other) = 0;
};

} // namespace plenfox::cef
