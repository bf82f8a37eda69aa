#include "service/UpdateCatalog.h"
#include "lib/util/Error.h"

#include <gtest/gtest.h>

using plenfox::service::UpdateCatalog;
using plenfox::util::IllegalArgumentError;

TEST(UpdateCatalogTest, InvalidCatalogsAreRefused) {
    const auto parse = [](const char* body) {
        return UpdateCatalog::parse(QByteArray("<catalog>") + body + "</catalog>");
    };
    EXPECT_THROW(parse("<tag name=\"other-x\">1</tag>"), IllegalArgumentError);
    EXPECT_THROW(parse("<tag name=\"meta-a b\">1</tag>"), IllegalArgumentError);
    EXPECT_THROW(parse("<package file=\"../x.zip\"><addon name=\"A\"/></package>"),
                 IllegalArgumentError);
    EXPECT_THROW(parse("<package file=\"x.tar\"><addon name=\"A\"/></package>"),
                 IllegalArgumentError);
    EXPECT_THROW(parse("<package file=\"x.zip\"/>"), IllegalArgumentError);
    EXPECT_THROW(parse("<package file=\"x.zip\"><addon name=\"A/B\"/></package>"),
                 IllegalArgumentError);
    EXPECT_THROW(parse("<package file=\"x.zip\"><addon name=\"A\"/></package>"
                       "<package file=\"y.zip\"><addon name=\"A\"/></package>"),
                 IllegalArgumentError);
    EXPECT_THROW(parse("<other/>"), IllegalArgumentError);
    EXPECT_THROW(UpdateCatalog::parse("<catalog>"), IllegalArgumentError);
    EXPECT_THROW(UpdateCatalog::load(QStringLiteral("/nonexistent/catalog.xml")),
                 plenfox::util::IoError);
}

TEST(UpdateCatalogTest, SampleCatalogLoads) {
    const UpdateCatalog catalog = UpdateCatalog::load(QStringLiteral(PLENFOX_SAMPLE_CATALOG));
    EXPECT_FALSE(catalog.getPackages().empty());
    EXPECT_TRUE(catalog.getTags().contains(
        std::pair{QStringLiteral("meta-server-version"), QStringLiteral("0.0.1")}));
}
