#include "ChainEngine.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class ChainEngineEnvironment : public ::testing::Environment {
public:
    void TearDown() override { plenfox::test::ChainEngine::stop(); }
};

} // namespace

int main(int argc, char** argv) {
    // Real Chromium, offscreen; as root it runs only without its sandbox.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    // The engine's UI thread is this thread, as in the program.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new ChainEngineEnvironment);
    return RUN_ALL_TESTS();
}
