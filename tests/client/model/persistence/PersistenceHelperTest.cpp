#include "client/model/persistence/PersistenceHelper.h"
#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"
#include "client/model/persistence/PersistenceClient.h"
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

class PersistenceHelperTest : public ::testing::Test {
protected:
    fs::path file() const { return env.scratch() / "State.dat"; }
    fs::path twin() const { return env.scratch() / "State.dat.tmp"; }

    TestEnvironment env;
    TextTableClient client;
    PersistenceHelper helper{file(), twin(), client};
};

TEST_F(PersistenceHelperTest, MissingFileLoadsEmptyAndNothingIsWrittenUntilThereIsState) {
    helper.load();
    EXPECT_TRUE(client.emptyLoaded);
    helper.persist();
    EXPECT_FALSE(fs::exists(file()));
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

TEST_F(PersistenceHelperTest, StateRoundTripsAndAStrayTwinIsIgnoredThenRemoved) {
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

TEST_F(PersistenceHelperTest, UnreadableFilesAreLoggedCountedAndKeepTheConstructorState) {
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

TEST_F(PersistenceHelperTest, FailedWriteLeavesThePreviousFileReadable) {
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

} // namespace
