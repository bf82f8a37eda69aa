// The one list of the program's log files, which both the clean-up of old
// logs and the bug report go by.
#include "client/model/LogFiles.h"
#include "client/model/BugReport.h"
#include "lib/util/Paths.h"
#include "tests/support/TestSupport.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

namespace plenfox::test {
namespace {

using client::LogFiles;
namespace fs = std::filesystem;

QStringList names(const std::vector<LogFiles::Entry>& entries) {
    QStringList result;
    for (const LogFiles::Entry& entry : entries)
        result << util::pathText(entry.path.filename());
    result.sort();
    return result;
}

TEST(LogFilesTest, ListsTheRunLogsOnlyAndBothUsersAgree) {
    TestEnvironment env;
    const fs::path folder = env.scratch() / "logs";
    writeFile(folder / "plenfoxclient12.log", QByteArrayLiteral("a"));
    writeFile(folder / "plenfoxclient3.log", QByteArrayLiteral("b"));
    writeFile(folder / "plenfoxclientbug77.zip", QByteArrayLiteral("report"));
    writeFile(folder / "plenfoxclient1.log.zip", QByteArrayLiteral("report"));
    writeFile(folder / "other.log", QByteArrayLiteral("other"));
    fs::create_directories(folder / "plenfoxclient9.log");
    const QStringList expected{"plenfoxclient12.log", "plenfoxclient3.log"};
    EXPECT_EQ(names(LogFiles::list(folder)), expected);

    std::vector<LogFiles::Entry> reported;
    for (const fs::path& file : client::model::BugReport::findLogFiles(folder))
        reported.push_back({file, {}});
    EXPECT_EQ(names(reported), expected);
}

TEST(LogFilesTest, AFolderThatCannotBeReadIsAnErrorForTheCleanUpAndEmptyForTheBugReport) {
    TestEnvironment env;
    const fs::path missing = env.scratch() / "missing";
    EXPECT_THROW(LogFiles::list(missing), fs::filesystem_error);
    EXPECT_TRUE(client::model::BugReport::findLogFiles(missing).empty());
}

} // namespace
} // namespace plenfox::test
