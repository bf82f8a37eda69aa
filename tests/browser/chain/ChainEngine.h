#pragma once

#include "browser/wrapper/NativeCefFactory.h"
#include "tests/support/TestSupport.h"

#include <functional>
#include <memory>

namespace plenfox::test {

// The one engine of the test program, started through the wrapper as the
// program starts it, and the log the chain writes into.
class ChainEngine {
public:
    static TestEnvironment& environment();
    // The factory after a successful start; the first call starts the engine.
    static cef::CefFactory& factory();
    static void stop();
    // Shuts the engine down and keeps the environment (the log, the Java
    // environment) for the checks that follow.
    static void shutdownEngine();
    // Waits until the engine's own threads have ended (a thread that shut the
    // engine down from inside a callback ends after it).
    static bool waitForEngineThreadsToEnd(int milliseconds = 30000);
    // Runs the GUI thread's events (the engine's UI thread) until the
    // condition holds or the time is up.
    static bool waitFor(const std::function<bool()>& condition, int milliseconds = 30000);
};

} // namespace plenfox::test
