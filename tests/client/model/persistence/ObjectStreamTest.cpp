#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"
#include "client/model/updates/AddonPackageMetadata.h"
#include "lib/util/Error.h"

#include <QBuffer>
#include <gtest/gtest.h>

// ObjectReader and ObjectWriter: what one writes, the other reads.
using namespace plenfox::client::model;
namespace fs = std::filesystem;

namespace {

TEST(ObjectStreamTest, RoundTripsEveryValueKindAndKeepsNullDistinctFromEmpty) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(1733650000123, Qt::UTC);
    auto addon =
        std::make_shared<AddonMetadata>(QStringLiteral("Bagnon"), QString(), QStringLiteral("1.2"),
                                        true, QStringLiteral("http://x/b"));
    auto package = std::make_shared<AddonPackageMetadata>(std::vector{addon, addon}, QString(),
                                                          QStringLiteral("b.zip"));
    {
        ObjectWriter writer(buffer);
        writer.writeNull();
        writer.writeBool(true);
        writer.writeInt(-7);
        writer.writeLong(1LL << 40);
        writer.writeTimestamp(when);
        writer.writeTimestamp(std::nullopt);
        writer.writeString(QString());
        writer.writeString(QStringLiteral(""));
        writer.writePath(fs::path(u"C:/Games/World of Warcraft/Ñ"));
        writer.writeObject(package);
        writer.writeObject(std::shared_ptr<AddonPackageMetadata>());
    }
    buffer.seek(0);
    ObjectReader reader(buffer);
    EXPECT_EQ(reader.peekTag(), ObjectStreamTag::Null);
    reader.readNull();
    EXPECT_TRUE(reader.readBool());
    EXPECT_EQ(reader.readInt(), -7);
    EXPECT_EQ(reader.readLong(), 1LL << 40);
    EXPECT_EQ(reader.readTimestamp(), std::optional<QDateTime>(when));
    EXPECT_EQ(reader.readTimestamp(), std::nullopt);
    EXPECT_TRUE(reader.readString().isNull());
    const QString empty = reader.readString();
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.isNull());
    EXPECT_EQ(reader.readPath(),
              std::optional<fs::path>(fs::path(u"C:/Games/World of Warcraft/Ñ")));
    const auto read = reader.readObject<AddonPackageMetadata>();
    ASSERT_TRUE(read);
    EXPECT_EQ(read->getPackageName(), QStringLiteral("b.zip"));
    EXPECT_TRUE(read->getDocumentUrl().isNull());
    ASSERT_EQ(read->getAddons().size(), 2u);
    EXPECT_EQ(*read->getAddons()[1], *addon);
    EXPECT_EQ(reader.readObject<AddonPackageMetadata>(), nullptr);
    EXPECT_THROW(reader.readBool(), plenfox::util::StreamCorruptedError);
}

TEST(ObjectStreamTest, RejectsARecordOfAnotherTypeAndAValueOfAnotherKind) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    {
        ObjectWriter writer(buffer);
        writer.writeObject(std::make_shared<AddonMetadata>(QStringLiteral("a"), QString(),
                                                           QStringLiteral("1"), false, QString()));
        writer.writePath(fs::path("x"));
    }
    buffer.seek(0);
    {
        ObjectReader reader(buffer);
        EXPECT_THROW(reader.readObject<AddonPackageMetadata>(),
                     plenfox::util::StreamCorruptedError);
    }
    buffer.seek(0);
    ObjectReader reader(buffer);
    EXPECT_EQ(reader.readObject<AddonMetadata>()->getName(), QStringLiteral("a"));
    EXPECT_THROW(reader.readString(), plenfox::util::StreamCorruptedError);
}

// A path value that is not valid UTF-16 is damaged content like any other:
// the loader expects the stream-corrupted error, not a file-system error.
TEST(ObjectStreamTest, PathWithALoneSurrogateIsAStreamCorruptedError) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    {
        ObjectWriter writer(buffer);
        writer.writeString(QString(QChar(0xD800)) + QStringLiteral("x"));
    }
    // Retag the text value as a path value.
    QByteArray bytes = buffer.data();
    const qsizetype tagOffset = qsizetype(sizeof ObjectStreamFormat::Magic) + 1;
    ASSERT_EQ(quint8(bytes[tagOffset]), quint8(ObjectStreamTag::String));
    bytes[tagOffset] = char(ObjectStreamTag::Path);
    QBuffer damaged(&bytes);
    damaged.open(QIODevice::ReadOnly);
    ObjectReader reader(damaged);
    EXPECT_THROW(reader.readPath(), plenfox::util::StreamCorruptedError);
}

} // namespace
