// The "WoW" tab on a real client: rows and their states from the update
// service's answer, the information lines, the filter, sorting and removal.
#include "client/ui/AddonsPanel.h"
#include "client/model/Client.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/updates/TagTable.h"
#include "client/model/updates/UpdateResult.h"
#include "client/ui/AddonsTableModel.h"
#include "client/ui/MessageBoxes.h"
#include "client/ui/TableSortFilterModel.h"
#include "tests/client/ui/UiTestSupport.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
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
    const QModelIndex gamma =
        table()->model()->index(int(names.indexOf(QStringLiteral("Gamma"))), 0);
    EXPECT_FALSE(gamma.data(Qt::DecorationRole).value<QIcon>().isNull());
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
    for (const QString& status : column(table(), AddonsTableModel::Status))
        EXPECT_EQ(status, QString());
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
