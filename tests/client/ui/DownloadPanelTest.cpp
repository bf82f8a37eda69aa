// The "Downloads" tab on a real client: progress, recognition, automatic
// installation, sorting by raw values and removal of the rows shown.
#include "client/ui/DownloadPanel.h"
#include "client/model/Client.h"
#include "client/model/downloads/DownloadAttributes.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/downloads/FileDownloader.h"
#include "client/ui/AddonsPanel.h"
#include "client/ui/DownloadsTableModel.h"
#include "client/ui/MessageBoxes.h"
#include "tests/client/ui/UiTestSupport.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace plenfox::test {
namespace {

using client::ui::DownloadPanel;
using client::ui::DownloadsTableModel;
using client::ui::MessageBoxes;

const std::filesystem::path RecognizerData =
    std::filesystem::path(PLENFOX_TEST_DATA_DIR) / "recognizer";

QStringList column(const QTableView* table, int column) {
    QStringList values;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        values << table->model()->index(row, column).data().toString();
    return values;
}

QString detailsOf(const QTableView* table, const QString& file) {
    const qsizetype row = column(table, DownloadsTableModel::File).indexOf(file);
    return row < 0
               ? QStringLiteral("<missing>")
               : table->model()->index(int(row), DownloadsTableModel::Details).data().toString();
}

class DownloadPanelTest : public ::testing::Test {
protected:
    std::filesystem::path downloads() const { return sandbox.dataFolder() / "downloads"; }
    DownloadPanel& panel() { return *frame->getDownloadsPanel(); }
    QTableView* table() { return panel().getTable(); }
    client::model::DownloadManager& manager() { return *frame->getClient()->getDownloadManager(); }

    WindowSandbox sandbox;
    std::unique_ptr<client::ui::MainFrame> frame;
};

TEST_F(DownloadPanelTest, ProgressThenRecognitionThenAutomaticInstall) {
    frame = sandbox.startWindow();
    const QByteArray zip = readFile(RecognizerData / "Trio.zip");
    ASSERT_FALSE(zip.isEmpty());
    // A download as the browser starts it, announced larger than it is so
    // that it stays in progress.
    client::model::DownloadAttributes attributes;
    attributes.fileName = QStringLiteral("Trio.zip");
    attributes.mimeType = QStringLiteral("application/zip");
    attributes.contentLength = 1500000;
    attributes.startedByPlayer = true;
    auto downloader = manager().createDownloader(attributes);
    ASSERT_TRUE(downloader);
    const QByteArray half(750000, 'x');
    ASSERT_TRUE(downloader->receivedData(half));
    // The speed follows once two looks at the size lie far enough apart.
    ASSERT_TRUE(waitFor([this] {
        return detailsOf(table(), QStringLiteral("Trio.zip"))
            .startsWith(QStringLiteral("downloading ... 732kB (50%)"));
    })) << detailsOf(table(), QStringLiteral("Trio.zip")).toStdString();
    downloader->cancel();
    manager().deleteDownload(downloader);
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 0; }));

    attributes.contentLength = zip.size();
    downloader = manager().createDownloader(attributes);
    ASSERT_TRUE(downloader->receivedData(zip));
    downloader->complete();
    // Recognized, installed at once, and shown in the "WoW" tab.
    ASSERT_TRUE(waitFor([this] {
        return detailsOf(table(), QStringLiteral("Trio.zip")) ==
               QStringLiteral("3 WoW addons, all installed.");
    })) << detailsOf(table(), QStringLiteral("Trio.zip")).toStdString();
    EXPECT_TRUE(std::filesystem::exists(sandbox.addonRoot() / "Cat" / "Media" / "cat.txt"));
    QTableView* addons = frame->getAddonsPanel()->getTable();
    ASSERT_TRUE(waitFor([addons] { return addons->model()->rowCount() == 3; }));
    EXPECT_FALSE(table()->model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(table()->model()->index(0, DownloadsTableModel::Date).data().toString().isEmpty());
}

TEST_F(DownloadPanelTest, FileWithoutAddonsAndSortingBySizeInBytes) {
    writeFile(downloads() / "notes.zip", QByteArray(900, 'n'));
    writeFile(downloads() / "medium.zip", QByteArray(2000, 'm'));
    writeFile(downloads() / "large.zip", QByteArray(5 * 1024 * 1024 + 7, 'l'));
    frame = sandbox.startWindow();
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 3; }));
    ASSERT_TRUE(waitFor([this] {
        return detailsOf(table(), QStringLiteral("notes.zip")) ==
               QStringLiteral("No addons recognized.");
    }));

    // As text "1kB" < "5MB" < "900 Bytes"; by bytes the other way round.
    table()->sortByColumn(DownloadsTableModel::Size, Qt::AscendingOrder);
    EXPECT_EQ(column(table(), DownloadsTableModel::File),
              (QStringList{QStringLiteral("notes.zip"), QStringLiteral("medium.zip"),
                           QStringLiteral("large.zip")}));
    EXPECT_EQ(
        column(table(), DownloadsTableModel::Size),
        (QStringList{QStringLiteral("900 Bytes"), QStringLiteral("1kB"), QStringLiteral("5MB")}));
}

TEST_F(DownloadPanelTest, DeletingAfterSortingRemovesTheDownloadsShownSelected) {
    for (const char* name : {"a.zip", "b.zip", "c.zip", "d.zip"})
        writeFile(downloads() / name, QByteArray(100, 'z'));
    frame = sandbox.startWindow();
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 4; }));
    table()->sortByColumn(DownloadsTableModel::File, Qt::DescendingOrder); // d c b a
    auto* selection = table()->selectionModel();
    for (int row : {0, 3})
        selection->select(table()->model()->index(row, 1),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
    QTest::mouseClick(panel().getClearButton(), Qt::LeftButton);
    ASSERT_TRUE(MessageBoxes::last().has_value());
    EXPECT_EQ(MessageBoxes::last()->title, QStringLiteral("Remove 2 downloads?"));
    EXPECT_EQ(MessageBoxes::last()->text, QStringLiteral("Really remove these 2 downloads?"));
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 2; }));
    EXPECT_FALSE(std::filesystem::exists(downloads() / "d.zip"));
    EXPECT_FALSE(std::filesystem::exists(downloads() / "a.zip"));
    EXPECT_TRUE(std::filesystem::exists(downloads() / "b.zip"));
    EXPECT_TRUE(std::filesystem::exists(downloads() / "c.zip"));

    // Open shows the first selected download's file.
    table()->selectRow(0);
    QTest::mouseClick(panel().getOpenButton(), Qt::LeftButton);
    ASSERT_EQ(sandbox.opener->browsed().size(), 1u);
    EXPECT_EQ(sandbox.opener->browsed()[0].filename(), std::filesystem::path("c.zip"));
}

TEST_F(DownloadPanelTest, InstallWithoutGameSaysSoAndInstallWithGameInstallsSelection) {
    std::filesystem::create_directories(downloads());
    std::filesystem::copy_file(RecognizerData / "Solo-1.0.zip", downloads() / "Solo-1.0.zip");
    frame = sandbox.startWindow(false);
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 1; }));
    table()->selectRow(0);
    QTest::mouseClick(panel().getInstallButton(), Qt::LeftButton);
    ASSERT_TRUE(MessageBoxes::last().has_value());
    EXPECT_EQ(MessageBoxes::last()->title, QStringLiteral("Oops!"));
    EXPECT_EQ(MessageBoxes::last()->text, DownloadPanel::noInstallationText());
    EXPECT_TRUE(MessageBoxes::last()->text.startsWith(
        QStringLiteral("We can't install any addons right now because we can't find your WoW "
                       "installation.\n\nPlease try running the World of Warcraft Launcher")));

    frame.reset();
    frame = sandbox.startWindow(true);
    ASSERT_TRUE(waitFor([this] {
        return detailsOf(table(), QStringLiteral("Solo-1.0.zip")) ==
               QStringLiteral("1 WoW addon, not installed.");
    })) << detailsOf(table(), QStringLiteral("Solo-1.0.zip")).toStdString();
    table()->selectRow(0);
    QTest::mouseClick(panel().getInstallButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([this] {
        return detailsOf(table(), QStringLiteral("Solo-1.0.zip")) ==
               QStringLiteral("1 WoW addon, installed.");
    }));
    EXPECT_TRUE(std::filesystem::exists(sandbox.addonRoot() / "Solo" / "Solo.toc"));
}

TEST(RemovalQuestionTest, DownloadsNameOneOrCountMany) {
    auto [title, text] = DownloadPanel::removalQuestion({QStringLiteral("a.zip")});
    EXPECT_EQ(title, QStringLiteral("Remove download?"));
    EXPECT_EQ(text, QStringLiteral("Really remove download a.zip?"));
    std::tie(title, text) =
        DownloadPanel::removalQuestion({QStringLiteral("a.zip"), QStringLiteral("b.zip")});
    EXPECT_EQ(title, QStringLiteral("Remove 2 downloads?"));
    EXPECT_EQ(text, QStringLiteral("Really remove these 2 downloads?"));
}

} // namespace
} // namespace plenfox::test
