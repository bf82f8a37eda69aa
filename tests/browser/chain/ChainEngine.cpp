#include "ChainEngine.h"

#include "EngineThreads.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

#include <stdexcept>

namespace plenfox::test {

namespace {

struct Running {
    std::unique_ptr<TestEnvironment> environment;
    std::unique_ptr<cef::NativeCefFactory> factory;
    std::shared_ptr<cef::CefSettings> settings;
    bool initialized = false;
};

Running& running() {
    static Running state;
    return state;
}

} // namespace

TestEnvironment& ChainEngine::environment() {
    if (!running().environment)
        running().environment = std::make_unique<TestEnvironment>();
    return *running().environment;
}

cef::CefFactory& ChainEngine::factory() {
    Running& state = running();
    environment();
    if (state.initialized)
        return *state.factory;
    if (!state.factory)
        state.factory = std::make_unique<cef::NativeCefFactory>(PLENFOX_NATIVE_LIBRARY_DIR);
    state.settings = state.factory->createSettings();
    if (!state.settings)
        throw std::runtime_error("no engine settings");
    state.settings->setMultiThreadedMessageLoop(true);
    state.initialized = state.factory->initialize(state.settings, nullptr);
    if (!state.initialized)
        throw std::runtime_error("the engine did not start");
    return *state.factory;
}

void ChainEngine::stop() {
    Running& state = running();
    if (state.settings)
        state.settings->dispose();
    state.settings.reset();
    if (state.initialized)
        state.factory->shutdown();
    state.initialized = false;
    // Let the detach tasks run on this thread before the environment goes.
    waitFor([] { return false; }, 200);
    state.factory.reset();
    state.environment.reset();
}

void ChainEngine::shutdownEngine() {
    Running& state = running();
    if (state.initialized)
        state.factory->shutdown();
    state.initialized = false;
}

bool ChainEngine::waitForEngineThreadsToEnd(int milliseconds) {
    return waitFor([] { return !EngineThreads::anyRunning(); }, milliseconds);
}

bool ChainEngine::waitFor(const std::function<bool()>& condition, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace plenfox::test
