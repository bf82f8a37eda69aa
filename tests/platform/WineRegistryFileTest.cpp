#include "platform/WineRegistryFile.h"
#include "platform/WineSectionFinder.h"

#include <QBuffer>
#include <gtest/gtest.h>

using plenfox::platform::WineRegistryFile;
using plenfox::platform::WineSectionFinder;

namespace {

const QByteArray Text = "WINE REGISTRY Version 2\n\n"
                        "[Software\\\\First] 1600000000\n\"A\"=\"1\"\n\n"
                        "[Software\\\\Long]\n\"Blob\"=hex:" +
                        QByteArray(300, 'a') +
                        "\n\"After\"=\"x\"\r\n"
                        "[Software\\\\Caf\\x00e9]\n\"C\"=\"3\"\n"
                        "[Software\\\\First]\n\"A\"=\"second\"\n"
                        "[Software\\\\Last]\n\"Z\"=\"end\"";

// A header names a key only when it ends where the key does: the longer key
// comes first, so that a prefix taken for the key would answer for it.
const QStringList Keys = {QStringLiteral("Software\\Long"), QStringLiteral("software\\first"),
                          QStringLiteral("Software\\Café"), QStringLiteral("Software\\LastOne"),
                          QStringLiteral("Software\\Last"), QStringLiteral("Software\\Missing"),
                          QStringLiteral("Software\\Lon")};

std::vector<std::optional<QByteArray>> inPieces(const QByteArray& text, qint64 limit,
                                                qsizetype pieceSize,
                                                const QStringList& keys = Keys) {
    QBuffer input;
    input.setData(text);
    input.open(QIODevice::ReadOnly);
    return WineRegistryFile::readInPieces(input, keys, limit, pieceSize);
}

} // namespace

TEST(WineRegistryFileTest, ReadingInPiecesFindsWhatTheWholeTextHolds) {
    // Every piece size from a few bytes (lines longer than a piece) to more
    // than the text: the same sections as a search of the whole text.
    const std::vector<std::optional<QByteArray>> whole = WineSectionFinder::find(Text, Keys);
    ASSERT_TRUE(whole[0]);
    EXPECT_EQ(*whole[1], QByteArray("\"A\"=\"1\"\n\n"));
    EXPECT_EQ(*whole[2], QByteArray("\"C\"=\"3\"\n"));
    EXPECT_FALSE(whole[3]);
    EXPECT_EQ(*whole[4], QByteArray("\"Z\"=\"end\""));
    EXPECT_FALSE(whole[5]);
    EXPECT_FALSE(whole[6]);
    // Keys with plain headers only: the whole text is searched in one pass.
    const QStringList plain = {Keys[3], Keys[4], Keys[1], Keys[5]};
    const std::vector<std::optional<QByteArray>> wholePlain = WineSectionFinder::find(Text, plain);
    EXPECT_EQ(wholePlain,
              (std::vector<std::optional<QByteArray>>{whole[3], whole[4], whole[1], whole[5]}));
    for (qsizetype pieceSize = 1; pieceSize <= Text.size() + 1; ++pieceSize) {
        EXPECT_EQ(inPieces(Text, Text.size(), pieceSize), whole) << pieceSize;
        EXPECT_EQ(inPieces(Text, Text.size(), pieceSize, plain), wholePlain) << pieceSize;
    }
}

TEST(WineRegistryFileTest, ReadingInPiecesStopsAtTheLimitAfterWholeLines) {
    // Cut inside the last line: that line does not count; cut after a line
    // end, everything before it does.
    const qsizetype lastValue = Text.lastIndexOf("\"Z\"");
    for (const qsizetype pieceSize : {qsizetype(7), qsizetype(64), WineRegistryFile::PieceSize}) {
        const auto cut = inPieces(Text, lastValue + 3, pieceSize);
        ASSERT_TRUE(cut[4]) << pieceSize;
        EXPECT_EQ(*cut[4], QByteArray()) << pieceSize;
        EXPECT_EQ(*cut[1], QByteArray("\"A\"=\"1\"\n\n"));
        const auto beforeLast = inPieces(Text, Text.lastIndexOf("[Software") + 5, pieceSize);
        EXPECT_FALSE(beforeLast[4]) << pieceSize;
        EXPECT_TRUE(beforeLast[2]) << pieceSize;
    }
}
