#pragma once

#include "browser/wrapper/CefFactory.h"

#include <QString>

#include <filesystem>
#include <memory>

namespace plenfox::client {

// Starts the browser engine for the program and stops it at exit: creates
// the engine factory (which loads the native libraries), fills in the
// engine settings with the multi-threaded message loop on, and initializes
// the engine through the factory.
class BrowserEngine {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.BrowserEngine");

    BrowserEngine() = default;
    BrowserEngine(const BrowserEngine&) = delete;
    BrowserEngine& operator=(const BrowserEngine&) = delete;
    ~BrowserEngine();

    // True when the engine runs; otherwise the reason is logged.
    bool start(const std::filesystem::path& libraryFolder);
    bool start();
    // Disposes the settings and shuts the engine down; does nothing when it
    // is not running.
    void stop();

    bool isRunning() const { return cefInitialized; }
    // The factory browsers are made with; null before start.
    cef::CefFactory* getFactory() const { return factory.get(); }

private:
    std::unique_ptr<cef::CefFactory> factory;
    std::shared_ptr<cef::CefSettings> appSettings;
    bool cefInitialized = false;
};

} // namespace plenfox::client
