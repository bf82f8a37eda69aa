#include "platform/RegistryValueDecoder.h"

#include <gtest/gtest.h>

using plenfox::platform::Registry;
using plenfox::platform::RegistryValueDecoder;
using ValueType = Registry::ValueType;

namespace {

// Little-endian UTF-16 bytes of a text, zeros included.
QByteArray utf16(std::u16string_view text) {
    QByteArray bytes;
    for (const char16_t unit : text) {
        bytes.append(char(unit & 0xFF));
        bytes.append(char(unit >> 8));
    }
    return bytes;
}

QString decoded(quint32 typeNumber, const QByteArray& bytes) {
    return RegistryValueDecoder::decode(RegistryValueDecoder::typeOf(typeNumber), bytes).data;
}

} // namespace

TEST(RegistryValueDecoderTest, TypeNumbersOfWindowsAndWine) {
    EXPECT_EQ(RegistryValueDecoder::typeOf(1), ValueType::String);
    EXPECT_EQ(RegistryValueDecoder::typeOf(2), ValueType::ExpandString);
    EXPECT_EQ(RegistryValueDecoder::typeOf(3), ValueType::Binary);
    EXPECT_EQ(RegistryValueDecoder::typeOf(4), ValueType::DWord);
    EXPECT_EQ(RegistryValueDecoder::typeOf(7), ValueType::MultiString);
    EXPECT_EQ(RegistryValueDecoder::typeOf(11), ValueType::QWord);
    // REG_NONE, REG_DWORD_BIG_ENDIAN, REG_LINK and numbers beyond.
    for (const quint32 other : {0u, 5u, 6u, 8u, 12u, 0xFFFFFFFFu})
        EXPECT_EQ(RegistryValueDecoder::typeOf(other), ValueType::Other) << other;
}

TEST(RegistryValueDecoderTest, StringsEndAtTheirFirstZeroWhateverTheStoredSize) {
    // The registry does not promise a terminating zero; nor does the stored
    // size stop at the first one.
    EXPECT_EQ(decoded(1, utf16(u"C:\\Games\\Wörld")), QStringLiteral("C:\\Games\\Wörld"));
    EXPECT_EQ(decoded(1, utf16(std::u16string_view(u"C:\\WoW\0\0", 8))), QStringLiteral("C:\\WoW"));
    EXPECT_EQ(decoded(2, utf16(std::u16string_view(u"%A%\0old", 7))), QStringLiteral("%A%"));
    // An odd last byte is no character.
    EXPECT_EQ(decoded(1, utf16(u"ab") + 'c'), QStringLiteral("ab"));
    EXPECT_EQ(decoded(1, QByteArray()), QString());
    // Beyond the basic plane: a surrogate pair stays whole.
    EXPECT_EQ(decoded(1, utf16(u"\U0001F600")), QString::fromUtf16(u"\U0001F600"));
}

TEST(RegistryValueDecoderTest, ListsJoinTheirItems) {
    EXPECT_EQ(decoded(7, utf16(std::u16string_view(u"one\0two\0\0", 9))),
              QStringLiteral("one; two"));
    EXPECT_EQ(decoded(7, utf16(u"alone")), QStringLiteral("alone"));
    // An empty item inside the list is kept.
    EXPECT_EQ(decoded(7, utf16(std::u16string_view(u"a\0\0b\0", 5))), QStringLiteral("a; ; b"));
}

TEST(RegistryValueDecoderTest, NumbersAreLittleEndianAndShortDataStaysBytes) {
    EXPECT_EQ(decoded(4, QByteArray("\x10\x00\x00\x80", 4)), QStringLiteral("2147483664"));
    EXPECT_EQ(decoded(11, QByteArray("\x00\x00\x00\x00\x01\x00\x00\x00", 8)),
              QStringLiteral("4294967296"));
    // Too short to hold its number: the bytes as they are.
    EXPECT_EQ(decoded(4, QByteArray("\x01\x02", 2)), QStringLiteral("01 02"));
    EXPECT_EQ(decoded(11, QByteArray("\x01\x02\x03\x04", 4)), QStringLiteral("01 02 03 04"));
    EXPECT_EQ(decoded(3, QByteArray("\xde\xad\xbe\xef", 4)), QStringLiteral("de ad be ef"));
    EXPECT_EQ(decoded(5, QByteArray("\x00\x00\x00\x01", 4)), QStringLiteral("00 00 00 01"));
}
