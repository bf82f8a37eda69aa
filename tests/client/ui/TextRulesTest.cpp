// The texts the panels compute from their data: sizes, information lines,
// the status and details columns, removal questions.
#include "client/ui/AddonsPanel.h"
#include "client/ui/AddonsTableModel.h"
#include "client/ui/DownloadPanel.h"
#include "client/ui/DownloadsTableModel.h"
#include "client/ui/InfoPanelData.h"
#include "client/ui/Utilities.h"

#include <gtest/gtest.h>

using namespace plenfox::client::ui;

TEST(SizeTextTest, UnitsChangeJustAboveTheirLimits) {
    EXPECT_EQ(Utilities::getSizeText(0), QStringLiteral("0 Bytes"));
    EXPECT_EQ(Utilities::getSizeText(1024), QStringLiteral("1024 Bytes"));
    EXPECT_EQ(Utilities::getSizeText(1025), QStringLiteral("1kB"));
    EXPECT_EQ(Utilities::getSizeText(1048576), QStringLiteral("1024kB"));
    EXPECT_EQ(Utilities::getSizeText(1048577), QStringLiteral("1MB"));
    EXPECT_EQ(Utilities::getSizeText(750000), QStringLiteral("732kB"));
    EXPECT_EQ(Utilities::getSizeText(Q_INT64_C(5) << 40), QStringLiteral("5242880MB"));
}

TEST(InformationLinesTest, EachStateHasItsLines) {
    InfoPanelData data;
    EXPECT_EQ(data.lines()[0],
              QStringLiteral("Install Path: <not installed>; 0 addons installed."));
    EXPECT_EQ(data.lines()[1], QStringLiteral("Update information is not available right now."));
    EXPECT_EQ(data.lines()[2], QString());

    data.installPath = QStringLiteral("/games/wow");
    data.addons = 12;
    data.updatesDisabled = true;
    EXPECT_EQ(data.lines()[0], QStringLiteral("Install Path: /games/wow; 12 addons installed."));
    EXPECT_EQ(data.lines()[1], QStringLiteral("Checking for updates is disabled at your request. "
                                              "Turn on updates in the Tools menu."));

    data.haveUpdateData = true;
    data.availableUpdates = 3;
    data.outOfDateAddons = 2;
    data.serverMessage = QStringLiteral("");
    EXPECT_EQ(data.lines()[1], QStringLiteral("3 update(s) available; 2 addon(s) out-of-date."));
    EXPECT_EQ(data.lines()[2], QString()) << "an empty message shows no line";

    data.learnedPackages = 1;
    data.serverMessage = QStringLiteral("Hello");
    EXPECT_EQ(data.lines()[1],
              QStringLiteral("3 update(s) available; 2 addon(s) out-of-date. New information "
                             "submitted on 1 package(s) and 0 addon(s). Thanks!"));
    EXPECT_EQ(data.lines()[2], QStringLiteral("Server message: Hello"));

    data.runningQuery = true;
    EXPECT_EQ(data.lines()[1], QStringLiteral("Checking for updates ..."));
    EXPECT_EQ(data.lines()[2], QString());
}

TEST(AddonStatusTest, OneRuleRanksTheFactsAndNothingClaimsUpToDateWithoutAnAnswer) {
    using State = AddonsTableModel::State;
    using Facts = AddonsTableModel::StateFacts;
    const auto stateOf = [](bool update, bool outOfDate, bool answered, bool information) {
        return AddonsTableModel::stateOf(Facts{update, outOfDate, answered, information});
    };
    EXPECT_EQ(stateOf(true, true, true, true), State::UpdateAvailable);
    EXPECT_EQ(stateOf(false, true, true, true), State::OutOfDate);
    EXPECT_EQ(stateOf(false, false, true, true), State::Ok);
    EXPECT_EQ(stateOf(false, false, false, true), State::Unknown)
        << "an addon the service said nothing about is not up to date";
    EXPECT_EQ(stateOf(false, false, true, false), State::NoInformation)
        << "without update information (switched off, or no answer) nothing is claimed";
    EXPECT_EQ(stateOf(false, true, false, false), State::OutOfDate);
    EXPECT_TRUE(AddonsTableModel::isFlagged(State::UpdateAvailable));
    EXPECT_TRUE(AddonsTableModel::isFlagged(State::OutOfDate));
    EXPECT_FALSE(AddonsTableModel::isFlagged(State::Unknown));

    EXPECT_EQ(AddonsTableModel::statusText(State::UpdateAvailable, QStringLiteral("2.0"),
                                           QStringLiteral("Mists")),
              QStringLiteral("update available: 2.0"));
    EXPECT_EQ(AddonsTableModel::statusText(State::OutOfDate, {}, QStringLiteral("Mists")),
              QStringLiteral("out-of-date for wow Mists"));
    EXPECT_EQ(AddonsTableModel::statusText(State::OutOfDate, {}, QString()),
              QStringLiteral("out-of-date"));
    EXPECT_EQ(AddonsTableModel::statusText(State::Ok, {}, QString()), QStringLiteral("up-to-date"));
    EXPECT_EQ(AddonsTableModel::statusText(State::Unknown, {}, QString()),
              QStringLiteral("unknown to the update service"));
    EXPECT_EQ(AddonsTableModel::statusText(State::NoInformation, {}, QString()), QString());
}

TEST(DownloadDetailsTest, RunningRecognizedAndInstalledStates) {
    using Status = DownloadsTableModel::Status;
    using State = DownloadsTableModel::State;
    Status running;
    running.inProgress = true;
    running.currentSize = 750000;
    running.totalSize = 1500000;
    EXPECT_EQ(DownloadsTableModel::detailsText(running),
              QStringLiteral("downloading ... 732kB (50%)"));
    EXPECT_EQ(DownloadsTableModel::stateOf(running), State::Working);
    running.currentSize = 1499999;
    EXPECT_EQ(DownloadsTableModel::detailsText(running),
              QStringLiteral("downloading ... 1MB (99%)"))
        << "rounded down";
    running.totalSize = 0;
    EXPECT_EQ(DownloadsTableModel::detailsText(running), QStringLiteral("downloading ... 1MB"))
        << "an unknown total size gives no percentage rather than a division by zero";

    Status finished;
    EXPECT_EQ(DownloadsTableModel::detailsText(finished), QStringLiteral("scanning ..."));
    EXPECT_EQ(DownloadsTableModel::stateOf(finished), State::Working);
    finished.recognized = true;
    EXPECT_EQ(DownloadsTableModel::detailsText(finished), QStringLiteral("No addons recognized."));
    EXPECT_EQ(DownloadsTableModel::stateOf(finished), State::NoAddons);

    finished.wowAddon = true;
    finished.totalAddons = 3;
    finished.installedCount = 2;
    EXPECT_EQ(DownloadsTableModel::detailsText(finished),
              QStringLiteral("3 WoW addons, 2 installed."));
    EXPECT_EQ(DownloadsTableModel::stateOf(finished), State::NotAllInstalled);
    finished.installing = true;
    EXPECT_EQ(DownloadsTableModel::detailsText(finished),
              QStringLiteral("installing 3 WoW addons ..."));
    EXPECT_EQ(DownloadsTableModel::stateOf(finished), State::Working);
    finished.installing = false;
    finished.installedCount = 3;
    finished.allInstalled = true;
    EXPECT_EQ(DownloadsTableModel::detailsText(finished),
              QStringLiteral("3 WoW addons, all installed."));
    EXPECT_EQ(DownloadsTableModel::stateOf(finished), State::AllInstalled);

    Status single = finished;
    single.totalAddons = 1;
    single.installedCount = 1;
    EXPECT_EQ(DownloadsTableModel::detailsText(single), QStringLiteral("1 WoW addon, installed."));
    single.allInstalled = false;
    single.installedCount = 0;
    EXPECT_EQ(DownloadsTableModel::detailsText(single),
              QStringLiteral("1 WoW addon, not installed."));
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

TEST(RemovalQuestionTest, DownloadsNameOneOrCountMany) {
    auto [title, text] = DownloadPanel::removalQuestion({QStringLiteral("a.zip")});
    EXPECT_EQ(title, QStringLiteral("Remove download?"));
    EXPECT_EQ(text, QStringLiteral("Really remove download a.zip?"));
    std::tie(title, text) =
        DownloadPanel::removalQuestion({QStringLiteral("a.zip"), QStringLiteral("b.zip")});
    EXPECT_EQ(title, QStringLiteral("Remove 2 downloads?"));
    EXPECT_EQ(text, QStringLiteral("Really remove these 2 downloads?"));
}
