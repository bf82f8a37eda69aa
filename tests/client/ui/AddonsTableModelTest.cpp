// The status column of the addons table.
#include "client/ui/AddonsTableModel.h"

#include <gtest/gtest.h>

using namespace plenfox::client::ui;

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
    // The flavour's own facts rank below an update and above out-of-date,
    // with or without update information.
    Facts notLoaded{false, true, true, true};
    notLoaded.notForVersion = true;
    notLoaded.missingDependency = true;
    EXPECT_EQ(AddonsTableModel::stateOf(notLoaded), State::NotForVersion);
    Facts missing{false, true, false, false};
    missing.missingDependency = true;
    EXPECT_EQ(AddonsTableModel::stateOf(missing), State::MissingDependency);
    missing.updateAvailable = missing.updateInfoAvailable = true;
    EXPECT_EQ(AddonsTableModel::stateOf(missing), State::UpdateAvailable);
    EXPECT_TRUE(AddonsTableModel::isFlagged(State::NotForVersion));
    EXPECT_TRUE(AddonsTableModel::isFlagged(State::MissingDependency));
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
