#include "platform/BoundedFileReader.h"
#include "tests/support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using plenfox::platform::BoundedFileReader;
using plenfox::test::writeFile;
namespace fs = std::filesystem;

TEST(BoundedFileReaderTest, AFileExactlyAtTheLimitIsWhole) {
    QTemporaryDir folder;
    const fs::path file = fs::path(folder.path().toStdU16String()) / "large.reg";
    const QByteArray text = "[Software\\\\First]\n\"A\"=\"1\"\n[Software\\\\Second]\n";
    writeFile(file, text);
    QString problem;
    const std::optional<BoundedFileReader::Contents> exact =
        BoundedFileReader::read(file, text.size(), problem);
    ASSERT_TRUE(exact);
    EXPECT_FALSE(exact->truncated);
    EXPECT_EQ(exact->bytes, text);
}
