#include "client/BrowserEngine.h"

#include "browser/wrapper/NativeCefFactory.h"
#include "client/model/App.h"

namespace plenfox::client {

BrowserEngine::~BrowserEngine() {
    stop();
}

bool BrowserEngine::start() {
    return start(cef::NativeCefFactory::programLibraryFolder());
}

bool BrowserEngine::start(const std::filesystem::path& libraryFolder) {
    if (cefInitialized)
        return true;
    App::log(Prefix + QStringLiteral(".start: starting the browser engine"));
    try {
        factory = std::make_unique<cef::NativeCefFactory>(libraryFolder);
    } catch (const std::exception& error) {
        App::log(error);
        App::log(Prefix + QStringLiteral(".start: the browser engine's libraries could not be "
                                         "loaded"));
        return false;
    }
    appSettings = factory->createSettings();
    if (!appSettings) {
        App::log(Prefix + QStringLiteral(".start: the engine settings could not be created"));
        return false;
    }
    // Nothing else runs the engine's message loop.
    appSettings->setMultiThreadedMessageLoop(true);
    cefInitialized = factory->initialize(appSettings, nullptr);
    if (!cefInitialized) {
        App::log(Prefix + QStringLiteral(".start: the browser engine did not initialize"));
        appSettings->dispose();
        appSettings.reset();
        return false;
    }
    App::log(Prefix + QStringLiteral(".start: browser engine started"));
    return true;
}

void BrowserEngine::stop() {
    if (appSettings) {
        appSettings->dispose();
        appSettings.reset();
    }
    if (!cefInitialized)
        return;
    cefInitialized = false;
    App::log(QStringLiteral("shutting down CEF factory"));
    factory->shutdown();
    App::log(Prefix + QStringLiteral(".stop: browser engine stopped"));
}

} // namespace plenfox::client
