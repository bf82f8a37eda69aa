#include "client/model/wow/FirstLineReader.h"
#include "lib/util/Error.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using plenfox::client::wow::FirstLineReader;
using plenfox::test::TestEnvironment;
namespace fs = std::filesystem;

namespace {

QByteArray utf16(const QString& text, bool littleEndian) {
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const QChar c : text) {
        const char low = char(c.unicode() & 0xFF);
        const char high = char(c.unicode() >> 8);
        bytes.append(littleEndian ? low : high).append(littleEndian ? high : low);
    }
    return bytes;
}

std::optional<QString> firstLineOf(const TestEnvironment& env, const QByteArray& bytes) {
    const fs::path file = env.scratch() / "setup.log";
    plenfox::test::writeFile(file, bytes);
    return FirstLineReader::read(file);
}

} // namespace

TEST(FirstLineReaderTest, ReadsTheFirstLineInTheMarkedCharacterSet) {
    TestEnvironment env;
    // "\u010A" holds the byte 0x0A in UTF-16 without being a line end; a line
    // end beyond the first 4 KiB is still found.
    const QString line =
        QStringLiteral("Blizzard Setup at 'C:\\\\\u010A\u0D0A'") + QString(5000, u'x');
    for (const bool littleEndian : {true, false}) {
        for (const char* end : {"\r\n", "\n", "\r"}) {
            SCOPED_TRACE(std::string(littleEndian ? "LE " : "BE ") + end);
            EXPECT_EQ(firstLineOf(env, utf16(line + QLatin1String(end) + "second\n", littleEndian)),
                      line);
        }
    }
    EXPECT_EQ(firstLineOf(env, "\xEF\xBB\xBF"
                               "caf\xC3\xA9\nsecond"),
              QStringLiteral("caf\u00E9"));
    // Without a mark the first line alone decides: UTF-8 here, although the
    // next line is not.
    EXPECT_EQ(firstLineOf(env, "caf\xC3\xA9\r\n\xE9"), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(firstLineOf(env, "caf\xE9\n"), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(firstLineOf(env, "\n"), QString(""));
    EXPECT_EQ(firstLineOf(env, "a"), QStringLiteral("a"));
    EXPECT_EQ(firstLineOf(env, {}), std::nullopt);
    EXPECT_EQ(firstLineOf(env, "\xFF\xFE"), std::nullopt);
    EXPECT_THROW(FirstLineReader::read(env.scratch() / "missing.log"), plenfox::util::IoError);
    // A line without an end stops at the limit (UTF-16: see the detection
    // tests).
    EXPECT_EQ(firstLineOf(env, QByteArray(1 << 20, 'y'))->size(), FirstLineReader::MaxBytes);
}
