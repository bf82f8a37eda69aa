// The status column of the addons table.
#include "client/ui/AddonsTableModel.h"

#include <gtest/gtest.h>

using namespace plenfox::client::ui;

TEST(AddonStatusTest, FirstMatchingRuleGivesTheText) {
    using State = AddonsTableModel::State;
    EXPECT_EQ(AddonsTableModel::statusText(State::UpdateAvailable, QStringLiteral("2.0"),
                                           QStringLiteral("Mists"), true),
              QStringLiteral("update available: 2.0"));
    EXPECT_EQ(AddonsTableModel::statusText(State::OutOfDate, {}, QStringLiteral("Mists"), true),
              QStringLiteral("out-of-date for wow Mists"));
    EXPECT_EQ(AddonsTableModel::statusText(State::OutOfDate, {}, QString(), true),
              QStringLiteral("out-of-date"));
    EXPECT_EQ(AddonsTableModel::statusText(State::Ok, {}, QString(), true),
              QStringLiteral("up-to-date"));
    EXPECT_EQ(AddonsTableModel::statusText(State::Ok, {}, QString(), false), QString());
}
