// The information lines under the addons table.
#include "client/ui/InfoPanelData.h"

#include <gtest/gtest.h>

using namespace plenfox::client::ui;

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
