// The "WoW" tab on a real client: rows and their states from the update
// service's answer, the information lines, the filter, sorting and removal.
#include "client/ui/AddonsPanel.h"
#include "client/model/Client.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/updates/TagTable.h"
#include "client/model/updates/UpdateResult.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/ui/AddonsTableModel.h"
#include "client/ui/MessageBoxes.h"
#include "client/ui/TableSortFilterModel.h"
#include "client/ui/Utilities.h"
#include "service/UpdateCatalog.h"
#include "service/UpdateServiceThread.h"
#include "tests/client/ui/UiTestSupport.h"

#include "LoopbackHttpServer.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace plenfox::test {
namespace {

using client::model::AddonMetadata;
using client::model::TagTable;
using client::model::UpdateResult;
using client::ui::AddonsPanel;
using client::ui::AddonsTableModel;
using client::ui::MessageBoxes;

std::shared_ptr<UpdateResult> answer(std::vector<std::pair<QString, QString>> offered,
                                     TagTable pairs) {
    std::vector<std::shared_ptr<AddonMetadata>> addons;
    for (const auto& [name, version] : offered)
        addons.push_back(std::make_shared<AddonMetadata>(name, QString(), version, false,
                                                         QStringLiteral("http://x/") + name));
    return std::make_shared<UpdateResult>(std::move(addons), std::move(pairs));
}

QStringList column(const QTableView* table, int column) {
    QStringList values;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        values << table->model()->index(row, column).data().toString();
    return values;
}

QString statusOf(const QTableView* table, const QString& name) {
    const QStringList names = column(table, AddonsTableModel::Name);
    const qsizetype row = names.indexOf(name);
    return row < 0 ? QStringLiteral("<missing>")
                   : table->model()->index(int(row), AddonsTableModel::Status).data().toString();
}

class AddonsPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeAddon(sandbox.addonRoot(), QStringLiteral("Alpha"), QStringLiteral("1.0"),
                   QStringLiteral("50400"));
        writeAddon(sandbox.addonRoot(), QStringLiteral("Beta"), QStringLiteral("1.0"),
                   QStringLiteral("40300"), QStringLiteral("Old Author"));
        writeAddon(sandbox.addonRoot(), QStringLiteral("Gamma"), QStringLiteral("1.0"),
                   QStringLiteral("50400"));
        writeAddon(sandbox.addonRoot(), QStringLiteral("Delta"), QStringLiteral("3"),
                   QStringLiteral("50400"), QStringLiteral("Someone"),
                   QStringLiteral("Shows DAMAGE meters"));
    }

    AddonsPanel& panel() { return *frame->getAddonsPanel(); }
    QTableView* table() { return panel().getTable(); }

    WindowSandbox sandbox;
    std::unique_ptr<client::ui::MainFrame> frame;
};

TEST_F(AddonsPanelTest, StatesFollowTheServiceAnswerAndFlaggedAddonsComeFirst) {
    sandbox.allowUpdates();
    sandbox.source->setResult(
        answer({{QStringLiteral("Gamma"), QStringLiteral("2.0")},
                {QStringLiteral("Alpha"), QStringLiteral("1.0")}},
               TagTable{{QStringLiteral("wow-version"), QStringLiteral("50400")},
                        {QStringLiteral("wow-version-name"), QStringLiteral("Mists of Pandaria")},
                        {QStringLiteral("meta-server-message"), QStringLiteral("Be nice")}}));
    // A returning player who allowed updates: the start asks the service
    // although the choice is read only after the client started.
    frame = sandbox.startWindow();
    ASSERT_TRUE(waitFor([this] { return sandbox.source->queries() >= 1; }));
    ASSERT_TRUE(waitFor([this] {
        return statusOf(table(), QStringLiteral("Gamma")) ==
               QStringLiteral("update available: 2.0");
    }));
    EXPECT_EQ(statusOf(table(), QStringLiteral("Beta")),
              QStringLiteral("out-of-date for wow Mists of Pandaria"));
    EXPECT_EQ(statusOf(table(), QStringLiteral("Alpha")), QStringLiteral("up-to-date"));
    // The service said nothing about Delta: no check mark claims it is current.
    EXPECT_EQ(statusOf(table(), QStringLiteral("Delta")),
              QStringLiteral("unknown to the update service"));

    const QStringList names = column(table(), AddonsTableModel::Name);
    EXPECT_EQ(std::set<QString>(names.begin(), names.begin() + 2),
              (std::set<QString>{QStringLiteral("Beta"), QStringLiteral("Gamma")}));
    // Each state has an icon of its own: out-of-date is not the delete
    // button's cross, unknown is not the check mark.
    const auto image = [this, &names](const QString& name) {
        const QModelIndex index = table()->model()->index(int(names.indexOf(name)), 0);
        return index.data(Qt::DecorationRole).value<QIcon>().pixmap(24).toImage();
    };
    const QImage cross =
        client::ui::Utilities::loadIcon(QStringLiteral("assets/delete.png")).pixmap(24).toImage();
    const QImage check =
        client::ui::Utilities::loadIcon(QStringLiteral("assets/check.png")).pixmap(24).toImage();
    EXPECT_FALSE(image(QStringLiteral("Gamma")).isNull());
    EXPECT_FALSE(image(QStringLiteral("Beta")).isNull());
    EXPECT_NE(image(QStringLiteral("Beta")), cross);
    EXPECT_EQ(image(QStringLiteral("Alpha")), check);
    EXPECT_FALSE(image(QStringLiteral("Delta")).isNull());
    EXPECT_NE(image(QStringLiteral("Delta")), check);
    EXPECT_EQ(table()->model()->index(0, AddonsTableModel::Wow).data().toString().isEmpty(), false);

    ASSERT_TRUE(waitFor([this] {
        return panel().informationLines().value(1) ==
               QStringLiteral("1 update(s) available; 1 addon(s) out-of-date.");
    })) << panel().informationLines().join(QLatin1Char('|')).toStdString();
    const QStringList lines = panel().informationLines();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Install Path: ")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("; 4 addons installed.")));
    EXPECT_EQ(lines[2], QStringLiteral("Server message: Be nice"));
}

TEST_F(AddonsPanelTest, WithoutPermissionNothingIsAskedAndStatesStayEmpty) {
    frame = sandbox.startWindow();
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 4; }));
    // Said once in the information lines; no row claims to be current.
    for (const QString& status : column(table(), AddonsTableModel::Status))
        EXPECT_EQ(status, QString());
    for (int row = 0; row < table()->model()->rowCount(); ++row)
        EXPECT_FALSE(table()->model()->index(row, 0).data(Qt::DecorationRole).isValid()) << row;
    EXPECT_EQ(sandbox.source->queries(), 0);
    ASSERT_TRUE(waitFor([this] {
        return panel().informationLines().value(1).startsWith(
            QStringLiteral("Checking for updates is disabled at your request."));
    })) << panel().informationLines().join(QLatin1Char('|')).toStdString();
    // The log lists every installed addon for support.
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral("Installed addon [Delta] version [3]")));
}

TEST_F(AddonsPanelTest, FilterMatchesAnyColumnIgnoringCaseAndThePlaceholderNeverFilters) {
    frame = sandbox.startWindow();
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 4; }));
    QLineEdit* field = panel().getFilterField();
    EXPECT_EQ(field->text(), QStringLiteral("<search>"));
    EXPECT_EQ(table()->model()->rowCount(), 4) << "the placeholder filters nothing";

    field->clear();
    QTest::keyClicks(field, QStringLiteral("GAM"));
    EXPECT_EQ(column(table(), AddonsTableModel::Name), QStringList{QStringLiteral("Gamma")});
    field->clear();
    QTest::keyClicks(field, QStringLiteral("damage"));
    EXPECT_EQ(column(table(), AddonsTableModel::Name), QStringList{QStringLiteral("Delta")})
        << "notes column, inside a longer text";
    field->clear();
    QTest::keyClicks(field, QStringLiteral("old auth"));
    EXPECT_EQ(column(table(), AddonsTableModel::Name), QStringList{QStringLiteral("Beta")});
    field->clear();
    QTest::keyClicks(field, QStringLiteral("zzz"));
    EXPECT_EQ(table()->model()->rowCount(), 0);

    QTest::mouseClick(panel().getRefreshButton(), Qt::LeftButton);
    EXPECT_EQ(field->text(), QStringLiteral("<search>"));
    EXPECT_EQ(table()->model()->rowCount(), 4);
}

TEST_F(AddonsPanelTest, DeletingAfterSortingRemovesExactlyTheRowsShownSelected) {
    for (const char* name : {"Eps", "Zeta", "Eta"})
        writeAddon(sandbox.addonRoot(), QString::fromLatin1(name), QStringLiteral("1"),
                   QStringLiteral("50400"));
    frame = sandbox.startWindow();
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 7; }));

    // Seven selected: the question names five and counts the rest.
    table()->selectAll();
    MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
    QTest::mouseClick(panel().getDeleteButton(), Qt::LeftButton);
    ASSERT_TRUE(MessageBoxes::last().has_value());
    EXPECT_EQ(MessageBoxes::last()->title, QStringLiteral("Remove 7 addons?"));
    EXPECT_TRUE(MessageBoxes::last()->text.endsWith(QStringLiteral(" and 2 others?")));
    EXPECT_TRUE(std::filesystem::exists(sandbox.addonRoot() / "Zeta")) << "No removes nothing";

    // Sorted by name, descending: Zeta, Gamma, Eta, Eps, Delta, Beta, Alpha.
    table()->sortByColumn(AddonsTableModel::Name, Qt::DescendingOrder);
    ASSERT_EQ(column(table(), AddonsTableModel::Name).value(0), QStringLiteral("Zeta"));
    table()->clearSelection();
    auto* selection = table()->selectionModel();
    for (int row : {0, 2})
        selection->select(table()->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
    QTest::mouseClick(panel().getDeleteButton(), Qt::LeftButton);
    EXPECT_EQ(MessageBoxes::last()->text, QStringLiteral("Really remove Zeta, Eta?"));
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 5; }));
    EXPECT_FALSE(std::filesystem::exists(sandbox.addonRoot() / "Zeta"));
    EXPECT_FALSE(std::filesystem::exists(sandbox.addonRoot() / "Eta"));
    for (const char* kept : {"Alpha", "Beta", "Gamma", "Delta", "Eps"})
        EXPECT_TRUE(std::filesystem::exists(sandbox.addonRoot() / kept)) << kept;
}

TEST_F(AddonsPanelTest, BrowseShowsTheAddonPageOrTheHomePageInTheWebTab) {
    frame = sandbox.startWindow();
    ASSERT_TRUE(waitFor([this] { return table()->model()->rowCount() == 4; }));
    frame->tabs()->setCurrentIndex(1);
    QTest::mouseClick(panel().getBrowseButton(), Qt::LeftButton);
    EXPECT_EQ(frame->tabs()->currentIndex(), 0);
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral("Navigating to [http://")));
    EXPECT_TRUE(
        sandbox.env.logContains(QStringLiteral("/Plenfox.html?l=community&wcversion=0.2-beta]")));

    table()->selectRow(0);
    const QString name = column(table(), AddonsTableModel::Name).value(0);
    QTest::mouseClick(panel().getBrowseButton(), Qt::LeftButton);
    const QString expected = frame->getClient()->getAddonManager()->getBrowseUrl(
        frame->getClient()->getAddonManager()->getAddonByName(name));
    EXPECT_TRUE(
        sandbox.env.logContains(QStringLiteral("Navigating to [") + expected + QLatin1Char(']')));
}

TEST(RemovalQuestionTest, AddonsNameAtMostFiveAndCountTheOthers) {
    auto [title, text] = AddonsPanel::removalQuestion({QStringLiteral("Bags")});
    EXPECT_EQ(title, QStringLiteral("Remove addon?"));
    EXPECT_EQ(text, QStringLiteral("Really remove Bags?"));

    std::tie(title, text) = AddonsPanel::removalQuestion(
        {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
         QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("G")});
    EXPECT_EQ(title, QStringLiteral("Remove 7 addons?"));
    EXPECT_EQ(text, QStringLiteral("Really remove A, B, C, D, E and 2 others?"));

    std::tie(title, text) =
        AddonsPanel::removalQuestion({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                      QStringLiteral("D"), QStringLiteral("E")});
    EXPECT_EQ(text, QStringLiteral("Really remove A, B, C, D, E?"));
}

} // namespace
} // namespace plenfox::test

namespace plenfox::test {
namespace {

using client::ui::AddonsPanel;
using client::ui::AddonsTableModel;
using client::ui::MessageBoxes;

QStringList shownColumn(const QTableView* table, int column) {
    QStringList values;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        values << table->model()->index(row, column).data().toString();
    return values;
}

QString shownStatus(const QTableView* table, const QString& name) {
    const qsizetype row = shownColumn(table, AddonsTableModel::Name).indexOf(name);
    return row < 0 ? QStringLiteral("<missing>")
                   : table->model()->index(int(row), AddonsTableModel::Status).data().toString();
}

std::shared_ptr<AddonMetadata> offer(const QString& name, const QString& version,
                                     const QString& download = QString()) {
    return std::make_shared<AddonMetadata>(
        name, QString(), version, false, QStringLiteral("http://pages.example/") + name, download);
}

std::shared_ptr<UpdateResult> offers(std::vector<std::shared_ptr<AddonMetadata>> entries) {
    return std::make_shared<UpdateResult>(
        std::move(entries),
        TagTable{{QStringLiteral("wow-version"), QStringLiteral("50400")},
                 {QStringLiteral("wow-version-name"), QStringLiteral("Mists")}});
}

// Names as players write them: mixed case and letters beyond ASCII, so that
// an order by code points (oRA3 after Skada, Ümlaut last) shows.
class AddonsPanelHabitsTest : public ::testing::Test {
protected:
    AddonsPanelHabitsTest() : previousLocale(QLocale()) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        for (const char* name : {"Skada", "oRA3", "Ümlaut", "pfQuest", "Omen", "Uber"})
            writeAddon(sandbox.addonRoot(), QString::fromUtf8(name), QStringLiteral("1"),
                       QStringLiteral("50400"));
    }
    ~AddonsPanelHabitsTest() override { QLocale::setDefault(previousLocale); }

    AddonsPanel& panel() { return *frame->getAddonsPanel(); }
    QTableView* table() { return panel().getTable(); }
    template <typename T> T* child(const char* name) {
        return frame->findChild<T*>(QString::fromLatin1(name));
    }
    bool rowsShown(int count) {
        return waitFor([this, count] { return table()->model()->rowCount() == count; });
    }

    QLocale previousLocale;
    WindowSandbox sandbox;
    std::unique_ptr<client::ui::MainFrame> frame;
};

TEST_F(AddonsPanelHabitsTest, NamesSortIgnoringCaseByTheLocaleAndTheChosenOrderIsKept) {
    frame = sandbox.startWindow();
    ASSERT_TRUE(rowsShown(6));
    // The table's own order, before any header was clicked: by name.
    const QStringList byName = {"Omen", "oRA3", "pfQuest", "Skada", "Uber", "Ümlaut"};
    EXPECT_EQ(shownColumn(table(), AddonsTableModel::Name), byName);
    table()->sortByColumn(AddonsTableModel::Name, Qt::DescendingOrder);
    QStringList reversed = byName;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(shownColumn(table(), AddonsTableModel::Name), reversed);
    table()->sortByColumn(AddonsTableModel::Name, Qt::AscendingOrder);
    EXPECT_EQ(shownColumn(table(), AddonsTableModel::Name), byName);
    table()->sortByColumn(AddonsTableModel::Author, Qt::DescendingOrder);

    // The next run shows the order the player chose last.
    frame.reset();
    EXPECT_TRUE(std::filesystem::exists(sandbox.dataFolder() / "Tables.ini"));
    frame = sandbox.startWindow();
    ASSERT_TRUE(rowsShown(6));
    EXPECT_EQ(table()->horizontalHeader()->sortIndicatorSection(), AddonsTableModel::Author);
    EXPECT_EQ(table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    table()->sortByColumn(AddonsTableModel::Name, Qt::DescendingOrder);
    frame.reset();
    frame = sandbox.startWindow();
    ASSERT_TRUE(rowsShown(6));
    EXPECT_EQ(shownColumn(table(), AddonsTableModel::Name), reversed);
}

TEST_F(AddonsPanelHabitsTest, FlaggedAddonsComeFirstEachGroupByName) {
    writeAddon(sandbox.addonRoot(), QStringLiteral("aged"), QStringLiteral("1"),
               QStringLiteral("40300"));
    sandbox.allowUpdates();
    sandbox.source->setResult(offers({offer(QStringLiteral("Skada"), QStringLiteral("2")),
                                      offer(QStringLiteral("oRA3"), QStringLiteral("1")),
                                      offer(QStringLiteral("Omen"), QStringLiteral("1"))}));
    frame = sandbox.startWindow();
    ASSERT_TRUE(waitFor([this] {
        return shownStatus(table(), QStringLiteral("Skada")) ==
               QStringLiteral("update available: 2");
    }));
    EXPECT_EQ(shownColumn(table(), AddonsTableModel::Name),
              (QStringList{"aged", "Skada", "Omen", "oRA3", "pfQuest", "Uber", "Ümlaut"}));
    EXPECT_EQ(shownStatus(table(), QStringLiteral("pfQuest")),
              QStringLiteral("unknown to the update service"));
}

TEST_F(AddonsPanelHabitsTest, ANarrowWindowStillReachesEveryColumn) {
    sandbox.allowUpdates();
    sandbox.source->setResult(offers({offer(QStringLiteral("Omen"), QStringLiteral("1"))}));
    frame = sandbox.startWindow();
    frame->tabs()->setCurrentWidget(&panel());
    frame->resize(760, 700);
    frame->show();
    ASSERT_TRUE(waitFor([this] {
        return shownStatus(table(), QStringLiteral("Skada")) ==
               QStringLiteral("unknown to the update service");
    }));
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->width(), 760) << "the window may be made that narrow";
    // The status column follows its longest text rather than a fixed width.
    EXPECT_GE(
        table()->columnWidth(AddonsTableModel::Status),
        table()->fontMetrics().horizontalAdvance(QStringLiteral("unknown to the update service")));
    EXPECT_NE(table()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    for (int column = 0; column < AddonsTableModel::ColumnCount; ++column) {
        const QModelIndex index = table()->model()->index(0, column);
        table()->scrollTo(index);
        QCoreApplication::processEvents();
        EXPECT_TRUE(table()->viewport()->rect().intersects(table()->visualRect(index)))
            << "column " << column << " cannot be reached";
    }
}

TEST_F(AddonsPanelHabitsTest, DeleteKeyAsksWithNoAsTheDefaultAndEnterKeepsTheAddon) {
    frame = sandbox.startWindow();
    ASSERT_TRUE(rowsShown(6));
    table()->selectRow(0);
    ASSERT_TRUE(focusInActiveWindow(*frame, panel(), *table()));
    MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
    QTest::keyClick(table(), Qt::Key_Delete);
    ASSERT_TRUE(MessageBoxes::last().has_value());
    EXPECT_EQ(MessageBoxes::last()->title, QStringLiteral("Remove addon?"));
    EXPECT_EQ(MessageBoxes::last()->text, QStringLiteral("Really remove Omen?"));
    EXPECT_EQ(MessageBoxes::last()->defaultAnswer, MessageBoxes::Answer::No);

    // The real question: Enter answers it, and keeps the folder.
    MessageBoxes::setAutoAnswer(false);
    bool answered = false;
    QTimer::singleShot(100, [&answered] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            QTest::keyClick(box, Qt::Key_Return);
            answered = true;
        }
    });
    QTest::keyClick(table(), Qt::Key_Delete);
    MessageBoxes::setAutoAnswer(true);
    EXPECT_TRUE(answered) << "the question was shown and answered with Enter";
    sandbox.settle(*frame);
    EXPECT_TRUE(std::filesystem::exists(sandbox.addonRoot() / "Omen"));

    // Yes removes it to the trash, from where it can be got back.
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    table()->setFocus();
    MessageBoxes::setNextAnswer(MessageBoxes::Answer::Yes);
    QTest::keyClick(table(), Qt::Key_Delete);
    ASSERT_TRUE(rowsShown(5));
    EXPECT_FALSE(std::filesystem::exists(sandbox.addonRoot() / "Omen"));
    EXPECT_EQ(sandbox.home.trashed(), QStringList{"Omen"});

    // The client restarts (another start hands over a game folder) while the
    // question is open: Yes then removes nothing, as the rows asked about
    // belonged to the client that went.
    table()->selectRow(0);
    const QString asked = table()->model()->index(0, AddonsTableModel::Name).data().toString();
    MessageBoxes::setAutoAnswer(false);
    answered = false;
    const auto answerOnceRestarted = [&](auto& self) -> void {
        if (!frame->isInitialized())
            return void(QTimer::singleShot(50, [&] { self(self); }));
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget);
                box && box->isVisible() &&
                box->text().startsWith(QStringLiteral("Really remove"))) {
                box->button(QMessageBox::Yes)->click();
                answered = true;
            }
    };
    QTimer::singleShot(100, [&] {
        // The restarted client asks about updates again: answered No at once.
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
        frame->useWowFolder(sandbox.gameFolder());
        QTimer::singleShot(50, [&] { answerOnceRestarted(answerOnceRestarted); });
    });
    QTest::keyClick(table(), Qt::Key_Delete);
    MessageBoxes::setAutoAnswer(true);
    ASSERT_TRUE(answered);
    ASSERT_TRUE(waitFor([this] { return frame->isInitialized(); }));
    sandbox.settle(*frame);
    EXPECT_TRUE(std::filesystem::exists(sandbox.addonRoot() / asked.toStdU16String()));
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral("question was open; nothing removed")));
}

TEST_F(AddonsPanelHabitsTest, ContextMenuOffersThePanelsActionsAndTabFollowsTheLayout) {
    frame = sandbox.startWindow();
    ASSERT_TRUE(rowsShown(6));
    EXPECT_EQ(contextMenuActions(*table()),
              (QStringList{"updateAction", "updateAllAction", "browseAction", "deleteAddonsAction",
                           "refreshAddonsAction"}));

    QStringList order;
    QWidget* widget = child<QWidget>("updateButton");
    for (int step = 0; widget && step < 7; ++step) {
        order << widget->objectName();
        do
            widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || !panel().isAncestorOf(widget));
    }
    EXPECT_EQ(order,
              (QStringList{"updateButton", "updateAllButton", "deleteAddonsButton", "browseButton",
                           "refreshAddonsButton", "addonsFilterField", "addonsTable"}));
}

// The update action with the reference service serving the packages.
class AddonsPanelUpdateTest : public AddonsPanelHabitsTest {
protected:
    AddonsPanelUpdateTest()
        : service(std::make_shared<const service::UpdateCatalog>(
              service::UpdateCatalog::load(QStringLiteral(PLENFOX_SAMPLE_CATALOG)))) {
        writeAddon(sandbox.addonRoot(), QStringLiteral("BagSorter"), QStringLiteral("1.6"),
                   QStringLiteral("50400"));
        writeAddon(sandbox.addonRoot(), QStringLiteral("QuestHelperLite"), QStringLiteral("2.4.0"),
                   QStringLiteral("50400"));
        writeAddon(sandbox.addonRoot(), QStringLiteral("QuestHelperLite_Options"),
                   QStringLiteral("2.4.0"), QStringLiteral("50400"));
        sandbox.allowUpdates();
    }
    QString zip(const QString& file) const {
        return service.baseUrl() + QStringLiteral("/zips/") + file;
    }
    int zipRequests(const QString& file) {
        int count = 0;
        for (const auto& request : service.service().requests())
            count += request.path == QStringLiteral("/zips/") + file ? 1 : 0;
        return count;
    }

    service::UpdateServiceThread service;
};

TEST_F(AddonsPanelUpdateTest, UpdateAllFetchesEachPackageOnceAndInstallsIt) {
    sandbox.source->setResult(
        offers({offer(QStringLiteral("BagSorter"), QStringLiteral("1.7"), zip("BagSorter-1.7.zip")),
                offer(QStringLiteral("QuestHelperLite"), QStringLiteral("2.4.1"),
                      zip("QuestHelperLite-2.4.1.zip")),
                offer(QStringLiteral("QuestHelperLite_Options"), QStringLiteral("2.4.1"),
                      zip("QuestHelperLite-2.4.1.zip")),
                offer(QStringLiteral("Skada"), QStringLiteral("9")), // no download address
                offer(QStringLiteral("Omen"), QStringLiteral("1"))}));
    frame = sandbox.startWindow();
    ASSERT_TRUE(waitFor([this] {
        return shownStatus(table(), QStringLiteral("BagSorter")) ==
               QStringLiteral("update available: 1.7");
    }));
    EXPECT_TRUE(child<QPushButton>("updateAllButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("updateButton")->isEnabled()) << "nothing selected";
    QTest::mouseClick(child<QPushButton>("updateAllButton"), Qt::LeftButton);
    // The update without an address is named; the others arrive.
    ASSERT_TRUE(MessageBoxes::last().has_value());
    EXPECT_EQ(MessageBoxes::last()->title, QStringLiteral("Updates to fetch by hand"));
    EXPECT_TRUE(MessageBoxes::last()->text.contains(QStringLiteral("Skada")));
    EXPECT_EQ(frame->tabs()->currentIndex(), 2) << "the downloads show their progress";
    ASSERT_TRUE(waitFor(
        [this] {
            return shownStatus(table(), QStringLiteral("BagSorter")) ==
                       QStringLiteral("up-to-date") &&
                   shownStatus(table(), QStringLiteral("QuestHelperLite_Options")) ==
                       QStringLiteral("up-to-date");
        },
        30000))
        << shownStatus(table(), QStringLiteral("BagSorter")).toStdString();
    EXPECT_EQ(shownStatus(table(), QStringLiteral("QuestHelperLite")),
              QStringLiteral("up-to-date"));
    EXPECT_EQ(shownStatus(table(), QStringLiteral("Skada")), QStringLiteral("update available: 9"));
    EXPECT_EQ(zipRequests(QStringLiteral("BagSorter-1.7.zip")), 1);
    EXPECT_EQ(zipRequests(QStringLiteral("QuestHelperLite-2.4.1.zip")), 1)
        << "two addons of one package fetch it once";
    const auto installed =
        frame->getClient()->getAddonManager()->getAddonByName(QStringLiteral("BagSorter"));
    ASSERT_TRUE(installed);
    EXPECT_EQ(installed->getVersionName(), QStringLiteral("1.7"));
}

TEST_F(AddonsPanelUpdateTest, OneUpdateByDoubleClickOrItsPageOrARefusalThatSaysWhy) {
    LoopbackHttpServer server;
    server.route("/huge.zip", HttpReply(200, "application/zip", std::string(41'943'040, 'h')));
    sandbox.source->setResult(
        offers({offer(QStringLiteral("BagSorter"), QStringLiteral("1.7"), zip("BagSorter-1.7.zip")),
                offer(QStringLiteral("QuestHelperLite"), QStringLiteral("2.4.1"),
                      QString::fromStdString(server.url("/huge.zip"))),
                offer(QStringLiteral("Skada"), QStringLiteral("9")),
                offer(QStringLiteral("Omen"), QStringLiteral("2"))}));
    frame = sandbox.startWindow();
    ASSERT_TRUE(waitFor([this] {
        return shownStatus(table(), QStringLiteral("BagSorter")) ==
               QStringLiteral("update available: 1.7");
    }));
    const auto rowOf = [this](const QString& name) {
        return int(shownColumn(table(), AddonsTableModel::Name).indexOf(name));
    };

    // A double-click on an update row updates that addon alone.
    const QModelIndex bags = table()->model()->index(rowOf(QStringLiteral("BagSorter")), 2);
    Q_EMIT table()->doubleClicked(bags);
    ASSERT_TRUE(waitFor(
        [this] {
            return shownStatus(table(), QStringLiteral("BagSorter")) ==
                   QStringLiteral("up-to-date");
        },
        30000));
    EXPECT_EQ(shownStatus(table(), QStringLiteral("QuestHelperLite")),
              QStringLiteral("update available: 2.4.1"));

    // A package over 32 MB is refused, saying so, and nothing is installed.
    MessageBoxes::clearHistory();
    table()->selectRow(rowOf(QStringLiteral("QuestHelperLite")));
    ASSERT_TRUE(child<QPushButton>("updateButton")->isEnabled());
    QTest::mouseClick(child<QPushButton>("updateButton"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([] { return MessageBoxes::last().has_value(); }, 30000));
    EXPECT_EQ(MessageBoxes::last()->title, QStringLiteral("Update failed"));
    EXPECT_EQ(MessageBoxes::last()->text,
              QStringLiteral("The update of QuestHelperLite could not be downloaded: it is larger "
                             "than 32 MB (the site announced 40.0 MB, 41943040 bytes)."));
    EXPECT_TRUE(frame->getClient()->getDownloadManager()->getByFile(
                    sandbox.dataFolder() / "downloads" / "huge.zip") == nullptr);

    // Without an address the update's page opens in the "Web" tab.
    table()->selectRow(rowOf(QStringLiteral("Skada")));
    QTest::mouseClick(child<QPushButton>("updateButton"), Qt::LeftButton);
    EXPECT_EQ(frame->tabs()->currentIndex(), 0);
    EXPECT_TRUE(
        sandbox.env.logContains(QStringLiteral("Navigating to [http://pages.example/Skada]")));

    // Several without an address: the player is told which, no page opens.
    frame->tabs()->setCurrentIndex(1);
    MessageBoxes::clearHistory();
    table()->clearSelection();
    table()->selectionModel()->select(table()->model()->index(rowOf(QStringLiteral("Omen")), 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table()->selectionModel()->select(table()->model()->index(rowOf(QStringLiteral("Skada")), 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::mouseClick(child<QPushButton>("updateButton"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([] { return MessageBoxes::last().has_value(); }));
    EXPECT_EQ(MessageBoxes::last()->text,
              QStringLiteral("The update service named no download for Omen, Skada. Select one of "
                             "them alone and press update to open its page."));
    EXPECT_EQ(frame->tabs()->currentIndex(), 1);
}

} // namespace
} // namespace plenfox::test
