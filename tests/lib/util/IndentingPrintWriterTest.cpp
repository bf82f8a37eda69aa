#include "lib/util/IndentingPrintWriter.h"

#include <QTextStream>
#include <gtest/gtest.h>

using plenfox::util::IndentingPrintWriter;

namespace {

TEST(IndentingPrintWriterTest, IndentsNestedLinesAndNeverGoesBelowZero) {
    QString out;
    QTextStream stream(&out);
    IndentingPrintWriter writer(stream, 2);
    writer.pushTag(QStringLiteral("a"));
    writer.println(QStringLiteral("x"));
    writer.pushTag(QStringLiteral("b"), QStringLiteral("k=\"v\""));
    writer.print(QStringLiteral("y"));
    writer.print(QStringLiteral("z"));
    writer.println();
    writer.popTag(QStringLiteral("b"));
    writer.popTag(QStringLiteral("a"));
    writer.undoIndent();
    writer.println(QStringLiteral("top"));
    writer.pushTag(QString());
    writer.flush();
    EXPECT_EQ(out,
              QStringLiteral(
                  "<a>\r\n  x\r\n  <b k=\"v\">\r\n    yz\r\n  </b>\r\n</a>\r\ntop\r\n<null>\r\n"));
}

TEST(IndentingPrintWriterTest, EmbeddedLineBreaksBecomeIndentedLinesAndTheLastPieceStaysOpen) {
    QString out;
    QTextStream stream(&out);
    IndentingPrintWriter writer(stream, 2);
    writer.indent();
    writer.println(QStringLiteral("one\ntwo"));
    writer.print(QStringLiteral("three\r\nfour"));
    writer.println(QStringLiteral("!"));
    writer.flush();
    EXPECT_EQ(out, QStringLiteral("  one\r\n  two\r\n  three\r\n  four!\r\n"));
}

} // namespace
