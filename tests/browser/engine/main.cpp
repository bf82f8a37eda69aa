#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "FakeFileManager.h"
#include "LiveEngine.h"

namespace {

class LiveEngineEnvironment : public ::testing::Environment {
public:
    void TearDown() override { LiveEngine::shutdownIfStarted(); }
};

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--fake-file-manager")
        return FakeFileManager::run(argc, argv, QString::fromLocal8Bit(argv[2]));
    // Real Chromium, offscreen; as root it runs only without its sandbox.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    // The engine stages downloads in the temporary folder: give it one of the
    // tests' own, so that the tests can look into it.
    std::string folder = (std::filesystem::temp_directory_path() / "engine-tests-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        return 2;
    setenv("TMPDIR", folder.c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new LiveEngineEnvironment);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return result;
}
