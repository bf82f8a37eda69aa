#include "client/model/App.h"
#include "lib/util/Error.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

using plenfox::test::TestEnvironment;
namespace fs = std::filesystem;

namespace {

TEST(AppTest, LogsErrorsWithTheirStackAndCountsThem) {
    TestEnvironment env;
    EXPECT_TRUE(env.logLines().value(0) ==
                QStringLiteral("Plenfox Client [v0.2 beta] starting up"));
    plenfox::client::App::log(plenfox::util::IoError(QStringLiteral("disk gone")));
    plenfox::client::App::log(std::runtime_error("plain"));
    const QStringList lines = env.logLines();
    const QString own = lines.filter(QStringLiteral("IOException")).value(0);
    EXPECT_TRUE(own.startsWith(QStringLiteral("Exception: [IOException: disk gone] [")));
    EXPECT_GT(own.count(QStringLiteral(" [")), 1) << "the call stack is missing";
    EXPECT_TRUE(lines.contains(QStringLiteral("Exception: [plain]")));
    EXPECT_EQ(env.app().getExceptionCount(), 2);
}

TEST(AppTest, CleanUpKeepsTheNewest25LogFilesAndNothingElse) {
    TestEnvironment env;
    const fs::path folder = env.scratch() / "logs";
    const auto now = fs::file_time_type::clock::now();
    for (int i = 0; i < 30; ++i) {
        const fs::path file = folder / ("plenfoxclient" + std::to_string(1000 + i) + ".log");
        plenfox::test::writeFile(file, "log");
        // Names and ages disagree on purpose: age decides.
        fs::last_write_time(file, now - std::chrono::hours(i < 5 ? 100 + i : 30 - i));
    }
    plenfox::test::writeFile(folder / "plenfoxclient1.log.zip", "old bug report");
    plenfox::test::writeFile(folder / "other.log", "other");
    plenfox::client::App::cleanUpOldLogFiles(QString::fromStdU16String(folder.u16string()),
                                             QStringLiteral("p"));
    int remaining = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        remaining += entry.path().extension() == ".log" && entry.path().filename() != "other.log";
    EXPECT_EQ(remaining, 25);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(fs::exists(folder / ("plenfoxclient" + std::to_string(1000 + i) + ".log")));
    EXPECT_TRUE(fs::exists(folder / "plenfoxclient1.log.zip"));
    EXPECT_TRUE(fs::exists(folder / "other.log"));
}

TEST(AppTest, ALogFolderThatCannotBeUsedLeavesTheProgramRunningWithoutALog) {
    TestEnvironment outer;
    const fs::path notAFolder = outer.scratch() / "file";
    plenfox::test::writeFile(notAFolder, "x");
    {
        plenfox::client::App app(QString::fromStdU16String(notAFolder.u16string()));
        EXPECT_TRUE(app.getLogFile().empty());
        plenfox::client::App::log(QStringLiteral("goes nowhere"));
        plenfox::client::App::log(plenfox::util::IoError(QStringLiteral("still counted")));
        EXPECT_EQ(app.getExceptionCount(), 1);
    }
}

} // namespace
