#include "client/model/downloads/UrlFilter.h"

#include <gtest/gtest.h>

namespace plenfox::test {
namespace {

using client::model::UrlFilter;

TEST(UrlFilterTest, CutsANumericLastSegmentOnTheAddonSiteOnly) {
    const QString site = QStringLiteral("https://addons.example.com/");
    const std::pair<const char*, const char*> cases[] = {
        {"https://addons.example.com/a/b/c/123456", "https://addons.example.com/a/b/c"},
        {"https://addons.example.com/a/b/c/", "https://addons.example.com/a/b/c"}, // empty tail
        {"https://addons.example.com/a/b/123456", nullptr},                        // five slashes
        {"https://addons.example.com/a/b/c/12x4", nullptr},   // not only digits
        {"https://other.example.org/a/b/c/123", nullptr},     // another host
        {"https://addons.example.com.evil/a/b/c/1", nullptr}, // prefix ends at its slash
    };
    for (const auto& [url, expected] : cases)
        EXPECT_EQ(UrlFilter::filter(QString::fromLatin1(url), site),
                  QString::fromLatin1(expected ? expected : url))
            << url;
    EXPECT_TRUE(UrlFilter::filter(QString(), site).isNull());
}

} // namespace
} // namespace plenfox::test
