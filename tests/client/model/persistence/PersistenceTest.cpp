#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"
#include "client/model/persistence/PersistenceClient.h"
#include "client/model/persistence/PersistenceHelper.h"
#include "client/model/updates/AddonPackageMetadata.h"
#include "lib/util/Error.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace plenfox::client::model;
using plenfox::test::TestEnvironment;
namespace fs = std::filesystem;

namespace {

// A client that keeps a text and a table, like the real components do.
class TextTableClient : public PersistenceClient {
public:
    void load(ObjectReader& reader) override {
        text = reader.readString();
        table = reader.readStringMap();
    }
    void loadEmpty() override {
        emptyLoaded = true;
        text.clear();
        table.clear();
    }
    bool needsPersist() override { return !text.isEmpty(); }
    void persist(ObjectWriter& writer) override {
        writer.writeString(text);
        if (failWhileWriting)
            throw plenfox::util::IoError(QStringLiteral("disk full"));
        writer.writeStringMap(table);
    }

    QString text = QStringLiteral("constructor state");
    QMap<QString, QString> table;
    bool emptyLoaded = false;
    bool failWhileWriting = false;
};

class PersistenceTest : public ::testing::Test {
protected:
    fs::path file() const { return env.scratch() / "State.dat"; }
    fs::path twin() const { return env.scratch() / "State.dat.tmp"; }

    TestEnvironment env;
    TextTableClient client;
    PersistenceHelper helper{file(), twin(), client};
};

TEST_F(PersistenceTest, MissingFileLoadsEmptyAndNothingIsWrittenUntilThereIsState) {
    helper.load();
    EXPECT_TRUE(client.emptyLoaded);
    helper.persist();
    EXPECT_FALSE(fs::exists(file()));
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

TEST_F(PersistenceTest, StateRoundTripsAndAStrayTwinIsIgnoredThenRemoved) {
    client.text = QStringLiteral("Grüße & <tags>");
    client.table = {{QStringLiteral("a.zip"), QStringLiteral("http://x/a")},
                    {QStringLiteral("b"), QString()}};
    helper.persist();
    ASSERT_TRUE(fs::exists(file()));
    EXPECT_FALSE(fs::exists(twin()));

    plenfox::test::writeFile(twin(), "garbage from an interrupted run");
    TextTableClient reloaded;
    PersistenceHelper(file(), twin(), reloaded).load();
    EXPECT_EQ(reloaded.text, client.text);
    EXPECT_EQ(reloaded.table, client.table);
    EXPECT_TRUE(reloaded.table.value(QStringLiteral("b")).isNull());

    // Nothing to persist any more: the last file stays, the twin goes.
    client.text.clear();
    helper.persist();
    EXPECT_TRUE(fs::exists(file()));
    EXPECT_FALSE(fs::exists(twin()));
}

TEST_F(PersistenceTest, UnreadableFilesAreLoggedCountedAndKeepTheConstructorState) {
    const QByteArray valid = [] {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ObjectWriter writer(buffer);
        writer.writeString(QStringLiteral("a text long enough to cut"));
        writer.writeStringMap({{QStringLiteral("k"), QStringLiteral("v")}});
        return buffer.data();
    }();
    const QList<QByteArray> broken{
        QByteArray(),                      // zero length
        valid.left(valid.size() - 3),      // truncated
        QByteArray("PFOS\x01\x2a", 6),     // unknown tag
        QByteArray("PFOS\x01\x01\x01", 7), // a bool where a text belongs
        QByteArray("not ours at all"),
    };
    int expectedErrors = 0;
    for (const QByteArray& bytes : broken) {
        plenfox::test::writeFile(file(), bytes);
        TextTableClient fresh;
        PersistenceHelper(file(), twin(), fresh).load();
        EXPECT_FALSE(fresh.emptyLoaded);
        EXPECT_TRUE(fresh.table.isEmpty());
        EXPECT_EQ(env.app().getExceptionCount(), ++expectedErrors) << bytes.toHex().constData();
    }
    EXPECT_TRUE(env.logContains(QStringLiteral("Exception: [StreamCorruptedException: ")));
}

TEST_F(PersistenceTest, FailedWriteLeavesThePreviousFileReadable) {
    client.text = QStringLiteral("first");
    helper.persist();
    client.text = QStringLiteral("second");
    client.failWhileWriting = true;
    helper.persist();
    EXPECT_EQ(env.app().getExceptionCount(), 1);
    TextTableClient reloaded;
    PersistenceHelper(file(), twin(), reloaded).load();
    EXPECT_EQ(reloaded.text, QStringLiteral("first"));

    // A folder that cannot be written: the error is logged, nothing thrown.
    fs::create_directories(env.scratch() / "locked");
    TextTableClient other;
    other.text = QStringLiteral("x");
    PersistenceHelper(env.scratch() / "locked" / "missing" / "S.dat",
                      env.scratch() / "locked" / "missing" / "S.dat.tmp", other)
        .persist();
    EXPECT_EQ(env.app().getExceptionCount(), 2);
}

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
