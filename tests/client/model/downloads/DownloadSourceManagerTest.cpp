#include "client/model/downloads/DownloadSourceManager.h"
#include "client/model/Constants.h"
#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"
#include "tests/client/model/downloads/DownloadFixture.h"

#include <QBuffer>
#include <QDataStream>

namespace plenfox::test {
namespace {

namespace fs = std::filesystem;
using client::Constants;
using client::model::DownloadSourceManager;
using client::model::ObjectStreamTag;
using client::model::ObjectWriter;

class DownloadSourceManagerTest : public DownloadFixture {
protected:
    DownloadSourceManager& sources() { return *client->getDownloadSourceManager(); }
    fs::path backingFile() const { return dataFolder() / "DownloadURLs.dat"; }

    QMap<QString, QString> storedTable() const {
        QFile file(QString::fromStdU16String(backingFile().u16string()));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        client::model::ObjectReader reader(file);
        return reader.readStringMap();
    }

    std::shared_ptr<client::model::FileDownloader> finish(const QString& name, const QString& url) {
        auto download = start(name, 1, url);
        EXPECT_TRUE(download->receivedData("z"));
        download->complete();
        return download;
    }
};

TEST_F(DownloadSourceManagerTest, SourcesFollowTheirDownloads) {
    const QString site = Constants::AddonSiteUrlPrefix;
    auto first = finish(QStringLiteral("a.zip"), site + QStringLiteral("list/a/files/42"));
    EXPECT_EQ(manager().getDownloadSource(*first), site + QStringLiteral("list/a/files"));

    // The same name again: the later page wins, also once the older
    // download's removal has been delivered.
    auto second = finish(QStringLiteral("a.zip"), QStringLiteral("https://other.example.org/x/1"));
    flush();
    EXPECT_EQ(sources().get(*second), QStringLiteral("https://other.example.org/x/1"));
    EXPECT_EQ(sources().entries().size(), 1);

    // Without a known page a new download of that name has no source.
    auto third = finish(QStringLiteral("a.zip"), QString());
    flush();
    EXPECT_TRUE(sources().get(*third).isNull());

    auto removed = finish(QStringLiteral("b.zip"), QStringLiteral("https://other.example.org/b"));
    manager().deleteDownload(removed);
    flush();
    EXPECT_TRUE(sources().get(*removed).isNull());
}

TEST_F(DownloadSourceManagerTest, RefreshPrunesVanishedFilesFromTheTableAndTheFile) {
    finish(QStringLiteral("kept.zip"), QStringLiteral("https://other.example.org/kept"));
    auto gone =
        finish(QStringLiteral("gone.zip"), QStringLiteral("https://other.example.org/gone"));
    fs::remove(downloads() / "gone.zip");
    manager().refresh();
    flush(); // delivers the refresh, which queues the write
    flush(); // runs the write
    const QMap<QString, QString> expected{{"kept.zip", "https://other.example.org/kept"}};
    EXPECT_EQ(sources().entries(), expected);
    EXPECT_EQ(storedTable(), expected);
    EXPECT_TRUE(sources().get(*gone).isNull());
}

TEST_F(DownloadSourceManagerTest, StoredTableSurvivesARestartAndNonTextIsRejected) {
    finish(QStringLiteral("a.zip"), QStringLiteral("https://other.example.org/a"));
    finish(QStringLiteral("b.zip"), QStringLiteral(""));
    stopClient(); // writes synchronously
    startClient();
    const QMap<QString, QString> expected{{"a.zip", "https://other.example.org/a"}, {"b.zip", ""}};
    EXPECT_EQ(sources().entries(), expected);
    stopClient();

    // A stored table whose value is a number is refused as a whole.
    {
        QFile file(QString::fromStdU16String(backingFile().u16string()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ObjectWriter writer(file);
        QDataStream(&file) << static_cast<quint8>(ObjectStreamTag::StringMap) << qint32{1};
        writer.writeString(QStringLiteral("a.zip"));
        writer.writeInt(7);
    }
    startClient();
    EXPECT_TRUE(sources().entries().isEmpty());
    EXPECT_TRUE(env.logContains(QStringLiteral("Exception: [StreamCorruptedException")));
}

// The last source forgotten leaves an empty table, which must reach the
// file too; the file would otherwise hand the old page to a new download of
// the same name at the next start.
TEST_F(DownloadSourceManagerTest, EmptiedTableIsWrittenSoAForgottenSourceStaysForgotten) {
    finish(QStringLiteral("a.zip"), QStringLiteral("https://other.example.org/a"));
    stopClient();
    startClient();
    auto again = finish(QStringLiteral("a.zip"), QString());
    flush();
    EXPECT_TRUE(sources().entries().isEmpty());
    stopClient();
    EXPECT_TRUE(storedTable().isEmpty());
    startClient();
    EXPECT_TRUE(sources().get(*again).isNull());
}

} // namespace
} // namespace plenfox::test
