#include "lib/utf8/ModifiedUtf8.h"

#include <gtest/gtest.h>

using plenfox::utf8::ModifiedUtf8;

namespace {

TEST(ModifiedUtf8Test, NulAndSupplementaryCharactersTravelAsTheInterfaceWritesThem) {
    // U+0000 in the middle, a character beyond the basic plane, and text
    // outside ASCII.
    const std::u16string text =
        std::u16string(u"\u00c4rger \U0001D11E \u65e5\u672c") + char16_t(0) + u"!";
    const std::string encoded = ModifiedUtf8::encode(text);
    EXPECT_EQ(encoded, "\xC3\x84rger "
                       "\xED\xA0\xB4\xED\xB4\x9E" // the pair, each half on its own
                       " \xE6\x97\xA5\xE6\x9C\xAC"
                       "\xC0\x80!");
    EXPECT_EQ(encoded.find('\0'), std::string::npos);
    EXPECT_EQ(ModifiedUtf8::encodedLength(text), encoded.size());
    bool wellFormed = false;
    EXPECT_EQ(ModifiedUtf8::decode(encoded, wellFormed), text);
    EXPECT_TRUE(wellFormed);

    // A lone surrogate survives the trip too.
    const std::u16string lone{u'x', char16_t(0xD800)};
    EXPECT_EQ(ModifiedUtf8::encode(lone), "x\xED\xA0\x80");
    EXPECT_EQ(ModifiedUtf8::decode(ModifiedUtf8::encode(lone)), lone);
}

TEST(ModifiedUtf8Test, ReadsStandardUtf8AsTheSameText) {
    bool wellFormed = false;
    EXPECT_EQ(ModifiedUtf8::decode("h\xC3\xA9\xF0\x9D\x84\x9E", wellFormed), u"h\u00e9\U0001D11E");
    EXPECT_TRUE(wellFormed);
    EXPECT_EQ(ModifiedUtf8::decode(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_TRUE(ModifiedUtf8::decode("").empty());
}

TEST(ModifiedUtf8Test, EachMalformedSequenceBecomesOneReplacementAndIsReported) {
    const struct {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"a\x80"
         "b",
         u"a\uFFFDb"},                   // a stray continuation byte
        {"\xC0\xAF", u"\uFFFD"},         // an overlong slash
        {"\xF0\x80\x80\xAF", u"\uFFFD"}, // an overlong four-byte form
        {"\xF4\x90\x80\x80", u"\uFFFD"}, // beyond U+10FFFF
        {"ab\xE2\x82", u"ab\uFFFD"},     // cut short at the end
        {"\xE6\x97z", u"\uFFFDz"},       // cut short by an ASCII byte
        {"a\xC0", u"a\uFFFD"},           // a lead byte at the end
        {"\xFF!\xF8", u"\uFFFD!\uFFFD"}, // bytes that start nothing
    };
    for (const auto& [bytes, text] : cases) {
        bool wellFormed = true;
        EXPECT_EQ(ModifiedUtf8::decode(bytes, wellFormed), text) << bytes;
        EXPECT_FALSE(wellFormed) << bytes;
    }
}

} // namespace
