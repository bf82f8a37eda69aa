#include "lib/util/Escapes.h"

#include <gtest/gtest.h>

namespace {

TEST(EscapesTest, ReplacesTheFiveMarkupCharactersOnly) {
    using plenfox::util::Escapes;
    EXPECT_EQ(Escapes::escapeXml(QStringLiteral("plain text ü")), QStringLiteral("plain text ü"));
    EXPECT_EQ(Escapes::escapeXml(QStringLiteral("a&b<c>d\"e'f&amp;")),
              QStringLiteral("a&amp;b&lt;c&gt;d&quot;e&apos;f&amp;amp;"));
    EXPECT_EQ(Escapes::escapeHtml(QStringLiteral("<&>")), QStringLiteral("&lt;&amp;&gt;"));
}

} // namespace
