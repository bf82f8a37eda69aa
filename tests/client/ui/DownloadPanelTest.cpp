// The "Downloads" tab on a real client: progress, recognition, automatic
// installation, sorting by raw values and removal of the rows shown.
#include "client/ui/DownloadPanel.h"
#include "client/model/Client.h"
#include "client/model/downloads/DownloadAttributes.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/downloads/FileDownloader.h"
#include "client/ui/AddonsPanel.h"
#include "client/ui/DownloadProgressDelegate.h"
#include "client/ui/DownloadsTableModel.h"
#include "client/ui/MessageBoxes.h"
#include "lib/util/Paths.h"
#include "tests/client/ui/UiTestSupport.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

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

TEST_F(DownloadPanelTest, UnknownLengthShowsBytesSoFarWithoutAPercentage) {
    frame = sandbox.startWindow();
    client::model::DownloadAttributes attributes;
    attributes.fileName = QStringLiteral("Stream.zip");
    attributes.mimeType = QStringLiteral("application/zip");
    attributes.contentLength = -1;
    auto downloader = manager().createDownloader(attributes);
    ASSERT_TRUE(downloader->receivedData(QByteArray(750000, 'x')));
    // The speed may follow the bytes; a share never does.
    ASSERT_TRUE(waitFor([this] {
        return detailsOf(table(), QStringLiteral("Stream.zip"))
            .startsWith(QStringLiteral("downloading ... 732kB"));
    })) << detailsOf(table(), QStringLiteral("Stream.zip")).toStdString();
    EXPECT_FALSE(detailsOf(table(), QStringLiteral("Stream.zip")).contains(QLatin1Char('%')));
    EXPECT_EQ(column(table(), DownloadsTableModel::Size).value(0).toStdString(), "732kB");
    // A transfer the browser ends early leaves no row and no file behind.
    downloader->abort();
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 0; }));
    EXPECT_TRUE(std::filesystem::is_empty(downloads()));
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

TEST_F(DownloadPanelTest, SortingByDateFollowsTimeNotText) {
    // Dates whose text sorts differently from their time in the usual
    // formats ("Jan" < "Jun" < "Sep"; "1 Jun" < "15 Jan" < "30 Sep").
    const std::pair<const char*, QDateTime> files[] = {
        {"june.zip", QDateTime(QDate(2023, 6, 1), QTime(10, 0))},
        {"january.zip", QDateTime(QDate(2024, 1, 15), QTime(10, 0))},
        {"september.zip", QDateTime(QDate(2022, 9, 30), QTime(10, 0))}};
    for (const auto& [name, time] : files) {
        writeFile(downloads() / name, QByteArray(100, 'z'));
        QFile file(QString::fromLatin1(name).prepend(util::pathText(downloads()) + u'/'));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
    }
    frame = sandbox.startWindow();
    ASSERT_TRUE(waitFor([this] {
        const QStringList dates = column(table(), DownloadsTableModel::Date);
        return dates.size() == 3 && !dates.contains(QString());
    }));
    // The order the dates' text alone would give.
    std::map<QString, QString> byText;
    for (int row = 0; row < 3; ++row)
        byText[table()->model()->index(row, DownloadsTableModel::Date).data().toString()] =
            table()->model()->index(row, DownloadsTableModel::File).data().toString();
    QStringList textOrder;
    for (const auto& [date, file] : byText)
        textOrder << file;
    const QStringList timeOrder{QStringLiteral("september.zip"), QStringLiteral("june.zip"),
                                QStringLiteral("january.zip")};
    ASSERT_NE(textOrder, timeOrder) << "these dates' text sorts like their time here";
    table()->sortByColumn(DownloadsTableModel::Date, Qt::AscendingOrder);
    EXPECT_EQ(column(table(), DownloadsTableModel::File).join(u',').toStdString(),
              timeOrder.join(u',').toStdString());
    table()->sortByColumn(DownloadsTableModel::Date, Qt::DescendingOrder);
    EXPECT_EQ(column(table(), DownloadsTableModel::File).first().toStdString(), "january.zip");
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

// A download a page started by itself (no click, no key) waits, with the
// page it came from, until the player installs it.
TEST_F(DownloadPanelTest, ADownloadNoPlayerAskedForWaitsReadyToInstallWithItsPage) {
    frame = sandbox.startWindow();
    const QByteArray zip = readFile(RecognizerData / "Solo-1.0.zip");
    client::model::DownloadAttributes attributes;
    attributes.fileName = QStringLiteral("Solo-1.0.zip");
    attributes.mimeType = QStringLiteral("application/zip");
    attributes.contentLength = zip.size();
    attributes.documentUrl = QStringLiteral("http://site/timer.html");
    auto downloader = manager().createDownloader(attributes);
    ASSERT_TRUE(downloader->receivedData(zip));
    downloader->complete();
    ASSERT_TRUE(waitFor([this] {
        return detailsOf(table(), QStringLiteral("Solo-1.0.zip")) ==
               QStringLiteral("1 WoW addon, ready to install (from http://site/timer.html).");
    })) << detailsOf(table(), QStringLiteral("Solo-1.0.zip")).toStdString();
    sandbox.settle(*frame);
    EXPECT_FALSE(std::filesystem::exists(sandbox.addonRoot() / "Solo"));
    EXPECT_EQ(table()->model()->index(0, 1).data(Qt::ToolTipRole).toString(),
              QStringLiteral("From http://site/timer.html"));
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral("waits for the player")));

    // A double-click on the package installs it.
    Q_EMIT table()->doubleClicked(table()->model()->index(0, 1));
    ASSERT_TRUE(waitFor([this] {
        return detailsOf(table(), QStringLiteral("Solo-1.0.zip")) ==
               QStringLiteral("1 WoW addon, installed.");
    }));
    EXPECT_TRUE(std::filesystem::exists(sandbox.addonRoot() / "Solo" / "Solo.toc"));
}

TEST_F(DownloadPanelTest, CancelStopsARunningDownloadAndKeepsNothingOfIt) {
    frame = sandbox.startWindow();
    client::model::DownloadAttributes attributes;
    attributes.fileName = QStringLiteral("Trio.zip");
    attributes.mimeType = QStringLiteral("application/zip");
    attributes.contentLength = 1000;
    attributes.startedByPlayer = true;
    auto downloader = manager().createDownloader(attributes);
    ASSERT_TRUE(downloader->receivedData(QByteArray(500, 'x')));
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 1; }));
    // Half of a known size: the progress bar stands at 50.
    ASSERT_TRUE(waitFor([this] {
        return table()
                   ->model()
                   ->index(0, DownloadsTableModel::Details)
                   .data(DownloadsTableModel::ProgressRole) == QVariant(50);
    }));
    EXPECT_TRUE(dynamic_cast<client::ui::DownloadProgressDelegate*>(
        table()->itemDelegateForColumn(DownloadsTableModel::Details)))
        << "the details column draws the bar";
    MessageBoxes::clearHistory();
    auto* cancel = frame->findChild<QPushButton*>(QStringLiteral("cancelDownloadButton"));
    ASSERT_TRUE(cancel);
    EXPECT_FALSE(cancel->isEnabled()) << "nothing selected";
    table()->selectRow(0);
    EXPECT_TRUE(cancel->isEnabled());
    QTest::mouseClick(cancel, Qt::LeftButton);
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 0; }));
    EXPECT_FALSE(downloader->receivedData(QByteArray(500, 'y')));
    downloader->complete();
    sandbox.settle(*frame);
    EXPECT_EQ(table()->model()->rowCount(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(downloads()));
    EXPECT_TRUE(sandbox.home.trashed().isEmpty()) << "unfinished bytes are not kept";
    EXPECT_FALSE(MessageBoxes::last().has_value()) << "a cancelled download did not fail";

    // A transfer that breaks off leaves no row either, and the player is
    // told why.
    attributes.fileName = QStringLiteral("Cut.zip");
    auto cut = manager().createDownloader(attributes);
    ASSERT_TRUE(cut->receivedData(QByteArray(400, 'x')));
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 1; }));
    cut->abort();
    ASSERT_TRUE(waitFor([] { return MessageBoxes::last().has_value(); }));
    EXPECT_EQ(MessageBoxes::last()->title, QStringLiteral("Download failed"));
    EXPECT_EQ(MessageBoxes::last()->text,
              QStringLiteral("The download of Cut.zip failed: the transfer broke off after 400 "
                             "bytes."));
    EXPECT_TRUE(waitFor([this] { return table()->model()->rowCount() == 0; }));
}

TEST_F(DownloadPanelTest, ARunningDownloadShowsItsSpeedAndAnUnknownSizeNoShare) {
    frame = sandbox.startWindow();
    client::model::DownloadAttributes attributes;
    attributes.fileName = QStringLiteral("stream.zip");
    attributes.mimeType = QStringLiteral("application/zip");
    attributes.contentLength = -1;
    attributes.startedByPlayer = true;
    auto downloader = manager().createDownloader(attributes);
    ASSERT_TRUE(downloader->receivedData(QByteArray(100000, 'a')));
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 1; }));
    QTest::qWait(1100); // progress is reported at most once a second
    ASSERT_TRUE(downloader->receivedData(QByteArray(200000, 'b')));
    ASSERT_TRUE(waitFor([this] {
        return detailsOf(table(), QStringLiteral("stream.zip")).contains(QStringLiteral(" at "));
    })) << detailsOf(table(), QStringLiteral("stream.zip")).toStdString();
    const QString details = detailsOf(table(), QStringLiteral("stream.zip"));
    EXPECT_TRUE(details.startsWith(QStringLiteral("downloading ... 292kB at ")))
        << details.toStdString();
    EXPECT_TRUE(details.endsWith(QStringLiteral("/s")));
    EXPECT_FALSE(details.contains(QLatin1Char('%')));
    EXPECT_EQ(table()
                  ->model()
                  ->index(0, DownloadsTableModel::Details)
                  .data(DownloadsTableModel::ProgressRole),
              QVariant(DownloadsTableModel::UnknownProgress));
    downloader->cancel();
}

TEST_F(DownloadPanelTest, WithoutAGameFolderAPackageAsksForIt) {
    frame = sandbox.startWindow(false);
    const QByteArray zip = readFile(RecognizerData / "Solo-1.0.zip");
    client::model::DownloadAttributes attributes;
    attributes.fileName = QStringLiteral("Solo-1.0.zip");
    attributes.mimeType = QStringLiteral("application/zip");
    attributes.contentLength = zip.size();
    attributes.startedByPlayer = true;
    auto downloader = manager().createDownloader(attributes);
    ASSERT_TRUE(downloader->receivedData(zip));
    downloader->complete();
    ASSERT_TRUE(waitFor([this] {
        return detailsOf(table(), QStringLiteral("Solo-1.0.zip")) ==
               QStringLiteral("1 WoW addon, not installed: choose your game folder (WoW / Change "
                              "WoW folder) to install.");
    })) << detailsOf(table(), QStringLiteral("Solo-1.0.zip")).toStdString();
}

TEST_F(DownloadPanelTest, DeleteKeyAsksWithNoAsDefaultAndDoubleClickOpensOtherFiles) {
    writeFile(downloads() / "notes.zip", QByteArray(900, 'n'));
    frame = sandbox.startWindow();
    ASSERT_TRUE(waitFor([this] {
        return detailsOf(table(), QStringLiteral("notes.zip")) ==
               QStringLiteral("No addons recognized.");
    }));
    Q_EMIT table()->doubleClicked(table()->model()->index(0, 1));
    ASSERT_EQ(sandbox.opener->browsed().size(), 1u);
    EXPECT_EQ(sandbox.opener->browsed()[0].filename(), std::filesystem::path("notes.zip"));

    table()->selectRow(0);
    ASSERT_TRUE(focusInActiveWindow(*frame, panel(), *table()));
    MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
    QTest::keyClick(table(), Qt::Key_Delete);
    ASSERT_TRUE(MessageBoxes::last().has_value());
    EXPECT_EQ(MessageBoxes::last()->title, QStringLiteral("Remove download?"));
    EXPECT_EQ(MessageBoxes::last()->defaultAnswer, MessageBoxes::Answer::No);
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 0; }));
    EXPECT_EQ(sandbox.home.trashed(), QStringList{"notes.zip"});

    EXPECT_EQ(contextMenuActions(*table()),
              (QStringList{"installAction", "openAction", "cancelDownloadAction",
                           "deleteDownloadsAction", "refreshDownloadsAction"}));
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
