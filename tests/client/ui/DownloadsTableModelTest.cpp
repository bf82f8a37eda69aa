// The details column of the downloads table.
#include "client/ui/DownloadsTableModel.h"

#include <gtest/gtest.h>

using namespace plenfox::client::ui;

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
