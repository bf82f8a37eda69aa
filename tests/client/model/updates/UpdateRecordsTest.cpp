#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"
#include "client/model/updates/UpdateQuery.h"
#include "client/model/updates/UpdateResult.h"
#include "lib/util/Error.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace plenfox::client::model;

namespace {

std::shared_ptr<AddonMetadata> addon(const QString& name, const QString& package,
                                     const QString& version, bool installed, const QString& url) {
    return std::make_shared<AddonMetadata>(name, package, version, installed, url);
}

void expectSameAddons(const std::vector<std::shared_ptr<AddonMetadata>>& actual,
                      const std::vector<std::shared_ptr<AddonMetadata>>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(*actual[i], *expected[i]) << "addon " << i;
        // Null and empty texts stay distinct.
        EXPECT_EQ(actual[i]->getPackageName().isNull(), expected[i]->getPackageName().isNull());
        EXPECT_EQ(actual[i]->getDocumentUrl().isNull(), expected[i]->getDocumentUrl().isNull());
    }
}

} // namespace

// The records stored in the updates file: a query and its answer, with their
// nested packages and addons, read back in the order written.
TEST(UpdateRecordsTest, QueryAndResultSurviveTheObjectStream) {
    const std::vector<std::shared_ptr<AddonMetadata>> packed{
        addon(QStringLiteral("Alpha"), QStringLiteral("Pack é.zip"), QStringLiteral("1.0"), true,
              QStringLiteral("http://site/page?a=1&b=2")),
        addon(QStringLiteral("Beta"), QStringLiteral("Pack é.zip"), QStringLiteral(""), true,
              QString())};
    const auto query = std::make_shared<UpdateQuery>(
        std::vector<std::shared_ptr<AddonPackageMetadata>>{
            std::make_shared<AddonPackageMetadata>(packed, QString(), QStringLiteral("Pack é.zip")),
            std::make_shared<AddonPackageMetadata>(std::vector<std::shared_ptr<AddonMetadata>>{},
                                                   QStringLiteral("http://x"),
                                                   QStringLiteral("Empty.zip"))},
        std::vector<std::shared_ptr<AddonMetadata>>{
            addon(QStringLiteral("Loose"), QString(), QStringLiteral("3"), true, QString())},
        TagTable{{QStringLiteral("wow-version"), QStringLiteral("")},
                 {QStringLiteral("meta-client-version"), QStringLiteral("v0.2 beta")}});
    const std::vector<std::shared_ptr<AddonMetadata>> answered{
        addon(QStringLiteral("Alpha"), QStringLiteral("Pack é.zip"), QStringLiteral("1.1"), false,
              QStringLiteral("http://site/alpha"))};
    const auto result = std::make_shared<UpdateResult>(
        answered, TagTable{{QStringLiteral("wow-learned-packages"), QStringLiteral("0")},
                           {QStringLiteral("meta-server-version"), QStringLiteral("0.0.1")}});

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        ObjectWriter writer(buffer);
        writer.writeObject(query);
        writer.writeObject(result);
        writer.writeObject(UpdateResult::createEmpty());
        writer.writeObject(std::shared_ptr<UpdateQuery>());
    }
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    ObjectReader reader(buffer);
    const auto readQuery = reader.readObject<UpdateQuery>();
    const auto readResult = reader.readObject<UpdateResult>();
    const auto readEmpty = reader.readObject<UpdateResult>();
    EXPECT_EQ(reader.readObject<UpdateQuery>(), nullptr);

    ASSERT_TRUE(readQuery);
    ASSERT_EQ(readQuery->getAddonPackages().size(), 2u);
    const auto& firstPackage = *readQuery->getAddonPackages()[0];
    EXPECT_EQ(firstPackage.getPackageName(), QStringLiteral("Pack é.zip"));
    EXPECT_TRUE(firstPackage.getDocumentUrl().isNull());
    expectSameAddons(firstPackage.getAddons(), packed);
    EXPECT_TRUE(readQuery->getAddonPackages()[1]->getAddons().empty());
    EXPECT_EQ(readQuery->getAddonPackages()[1]->getDocumentUrl(), QStringLiteral("http://x"));
    expectSameAddons(readQuery->getLooseAddons(), query->getLooseAddons());
    EXPECT_EQ(readQuery->getPairs(), query->getPairs()); // same entries, same order
    EXPECT_FALSE(readQuery->getPairs().value(QStringLiteral("wow-version")).isNull());

    ASSERT_TRUE(readResult);
    expectSameAddons(readResult->getAddons(), answered);
    EXPECT_EQ(readResult->getPairs(), result->getPairs());
    ASSERT_TRUE(readEmpty);
    EXPECT_TRUE(readEmpty->getAddons().empty());
    EXPECT_TRUE(readEmpty->getPairs().isEmpty());
}

TEST(UpdateRecordsTest, NullEntryInAStoredListIsRejected) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        ObjectWriter writer(buffer);
        writer.writeObject(std::make_shared<UpdateResult>(
            std::vector<std::shared_ptr<AddonMetadata>>{nullptr}, TagTable{}));
    }
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    ObjectReader reader(buffer);
    EXPECT_THROW(reader.readObject<UpdateResult>(), plenfox::util::StreamCorruptedError);
}
