#include "client/model/updates/TagTable.h"

#include <gtest/gtest.h>

using namespace plenfox::client::model;

TEST(TagTableTest, KeepsInsertionOrderAndReplacesInPlace) {
    TagTable table{{QStringLiteral("wow-z"), QStringLiteral("1")},
                   {QStringLiteral("meta-a"), QStringLiteral("2")}};
    table.insert(QStringLiteral("wow-b"), QStringLiteral("3"));
    table.insert(QStringLiteral("wow-z"), QStringLiteral("4"));
    EXPECT_EQ(table.keys(), (QList<QString>{QStringLiteral("wow-z"), QStringLiteral("meta-a"),
                                            QStringLiteral("wow-b")}));
    EXPECT_EQ(table.value(QStringLiteral("wow-z")), QStringLiteral("4"));
    EXPECT_TRUE(table.value(QStringLiteral("absent")).isNull());
    EXPECT_FALSE(table.contains(QStringLiteral("absent")));
    EXPECT_EQ(table.size(), 3);
}
