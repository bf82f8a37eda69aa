#include "client/model/wow/TocFile.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <gtest/gtest.h>

using plenfox::client::wow::TocFile;

namespace {

TocFile parse(const QByteArray& bytes) {
    return TocFile(QStringLiteral("Test.toc"), bytes);
}

QByteArray utf16(const QString& text, bool bigEndian) {
    QByteArray bytes;
    for (QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

} // namespace

TEST(TocFileTest, HeaderGrammar) {
    const TocFile toc = parse("##Title: Plain\n"
                              "##   Notes:   spaced notes \t\n"
                              "## Author : Someone\n"
                              "## X-Website: http://example.org:80/a\n"
                              "# Version: 9.9 (comment)\n"
                              "#\n"
                              "##\n"
                              "## NoColonHere\n"
                              "## VERSION: 1.2.3\n"
                              "## version: 4.5.6\n"
                              "\n"
                              "  Core.lua  \n"
                              "Layout.xml\n");
    EXPECT_EQ(toc.getPath(), QStringLiteral("Test.toc"));
    EXPECT_EQ(toc.getTitle(), QStringLiteral("Plain"));
    // Leading blanks of the key go, the value is trimmed.
    EXPECT_EQ(toc.getHeader(QStringLiteral("Notes")), QStringLiteral("spaced notes"));
    // A blank before the colon stays in the key, so the named getter misses it.
    EXPECT_EQ(toc.getAuthor(), QStringLiteral("?"));
    EXPECT_EQ(toc.getHeader(QStringLiteral("Author ")), QStringLiteral("Someone"));
    EXPECT_EQ(toc.getHeader(QStringLiteral("X-Website")),
              QStringLiteral("http://example.org:80/a"));
    // Case-insensitive keys, first one wins; comments never become headers.
    EXPECT_EQ(toc.getVersion(), QStringLiteral("1.2.3"));
    EXPECT_EQ(toc.getInterface(), QStringLiteral("?"));
    EXPECT_FALSE(toc.getHeader(QStringLiteral("Interface")).has_value());

    const auto headers = toc.getHeaders();
    ASSERT_EQ(headers.size(), 6u);
    EXPECT_EQ(headers[2].getKey(), QStringLiteral("Author "));
    EXPECT_EQ(headers[4].getKey(), QStringLiteral("VERSION"));
    EXPECT_EQ(toc.getReferences(),
              QStringList({QStringLiteral("Core.lua"), QStringLiteral("Layout.xml")}));
}

TEST(TocFileTest, VersionFallsBackToPackagedVersion) {
    EXPECT_EQ(parse("## X-Curse-Packaged-Version: r42\n").getVersion(), QStringLiteral("r42"));
    EXPECT_EQ(parse("## Version: 1\n## X-Curse-Packaged-Version: r42\n").getVersion(),
              QStringLiteral("1"));
    EXPECT_EQ(parse("## Title: x\n").getVersion(), QStringLiteral("?"));
}

TEST(TocFileTest, LineEndingsAndLongLines) {
    const QByteArray longLine(2000, 'a');
    const TocFile toc = parse("A.lua\rB.lua\r\nC.lua\n\r\nD.lua\x01\x1f\r" + longLine +
                              "\n## Title: " + QByteArray(1100, 'b'));
    const QStringList refs = toc.getReferences();
    ASSERT_EQ(refs.size(), 5);
    EXPECT_EQ(refs.mid(0, 4), QStringList({"A.lua", "B.lua", "C.lua", "D.lua"}));
    EXPECT_EQ(refs[4], QString(1024, u'a'));
    // The 1024-character cut applies to the whole line, before "##" is split off.
    EXPECT_EQ(toc.getTitle(), QString(1024 - 10, u'b'));
}

TEST(TocFileTest, ByteOrderMarks) {
    const QString text =
        QStringLiteral("## Title: \u00c4lt\u00e9r \u0416\n## Version: 2\nMain.lua\n");

    const TocFile utf8 = parse("\xEF\xBB\xBF" + text.toUtf8());
    ASSERT_FALSE(utf8.getHeaders().empty());
    EXPECT_EQ(utf8.getHeaders()[0].getKey(), QStringLiteral("Title"));
    EXPECT_EQ(utf8.getTitle(), QStringLiteral("\u00c4lt\u00e9r \u0416"));

    const TocFile le = parse("\xFF\xFE" + utf16(text, false));
    EXPECT_EQ(le.getTitle(), QStringLiteral("\u00c4lt\u00e9r \u0416"));
    EXPECT_EQ(le.getReferences(), QStringList({QStringLiteral("Main.lua")}));

    const TocFile be = parse("\xFE\xFF" + utf16(text, true));
    EXPECT_EQ(be.getTitle(), QStringLiteral("\u00c4lt\u00e9r \u0416"));
    EXPECT_EQ(be.getVersion(), QStringLiteral("2"));

    // FF FE wins over a third byte: FF FE 00 00 is one U+0000 in UTF-16LE.
    EXPECT_EQ(TocFile::analyzeBom(QByteArray("\xFF\xFE\x00\x00", 4)), QString(QChar(0)));
    // Only the first mark is consumed.
    EXPECT_EQ(TocFile::analyzeBom("\xEF\xBB\xBF\xEF\xBB\xBF"
                                  "a"),
              QStringLiteral("\uFEFFa"));
}

TEST(TocFileTest, FilesWithoutMark) {
    // Valid UTF-8 without a mark is read as UTF-8 (Cyrillic title).
    const QString cyrillic = QStringLiteral("\u0410\u0434\u0434\u043e\u043d");
    EXPECT_EQ(parse("## Title: " + cyrillic.toUtf8() + "\n").getTitle(), cyrillic);

    // Files of one or two bytes, including the first bytes of a mark.
    EXPECT_EQ(TocFile::analyzeBom("ab"), QStringLiteral("ab"));
    EXPECT_EQ(parse("\xEF").getReferences().size(), 1);
    EXPECT_EQ(parse("\xEF\xBB").getReferences().size(), 1);
    EXPECT_TRUE(parse("\xFF\xFE").getReferences().isEmpty());
}

TEST(TocFileTest, FilesWithoutMarkThatAreNotUtf8AreWindows1252) {
    // Whatever the system's code page (UTF-8 on Linux): "\xE9" is "é", 0x80
    // the euro sign, 0x9F "Ÿ"; none becomes a replacement character.
    const TocFile toc = parse("## Title: Caf\xE9 \x80\x9F\n## Version: 1.0\n");
    EXPECT_EQ(toc.getTitle(), QStringLiteral("Caf\u00E9 \u20AC\u0178"));
    EXPECT_EQ(toc.getVersion(), QStringLiteral("1.0"));
    // One invalid sequence is enough to read the whole file that way.
    EXPECT_EQ(TocFile::analyzeBom("\xC3\xA9 \xE9"), QStringLiteral("\u00C3\u00A9 \u00E9"));
}

TEST(TocFileTest, StreamIsClosedAndMissingFileIsLogged) {
    plenfox::test::TestEnvironment env;
    QBuffer buffer;
    buffer.setData("## Title: From stream\n");
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_EQ(TocFile(QStringLiteral("A/A.toc"), buffer).getTitle(), QStringLiteral("From stream"));
    EXPECT_FALSE(buffer.isOpen());

    const TocFile absent(env.scratch() / "Missing" / "Missing.toc");
    EXPECT_TRUE(absent.getHeaders().empty() && absent.getReferences().isEmpty());
    EXPECT_TRUE(env.logContains(QStringLiteral("Exception: [IOException: ")));
    EXPECT_EQ(env.app().getExceptionCount(), 1);
}
