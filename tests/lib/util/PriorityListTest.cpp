#include "lib/util/PriorityList.h"

#include <gtest/gtest.h>

using plenfox::util::PriorityList;

TEST(PriorityListTest, LowerPrioritiesFirstAndTiesInInsertionOrder) {
    PriorityList<QString> list;
    list.add(0, QStringLiteral("a"));
    list.add(-1, QStringLiteral("b"));
    list.add(0, QStringLiteral("c"));
    list.add(5, QStringLiteral("d"));
    const std::vector<QString> expected{QStringLiteral("b"), QStringLiteral("a"),
                                        QStringLiteral("c"), QStringLiteral("d")};
    EXPECT_EQ(list.values(), expected);
    // Adding after a walk sorts again, keeping the earlier ties stable.
    list.add(-1, QStringLiteral("e"));
    EXPECT_EQ(list.values().at(1), QStringLiteral("e"));
    EXPECT_EQ(list.values().at(2), QStringLiteral("a"));
}

TEST(PriorityListTest, PriorityStringListsEveryPairInOrder) {
    PriorityList<QString> list;
    const auto text = [](const QString& value) { return value; };
    EXPECT_EQ(list.toPriorityString(text), QString());
    list.add(2, QStringLiteral("a"));
    list.add(-2147483647 - 1, QStringLiteral("z"));
    EXPECT_EQ(list.toPriorityString(text), QStringLiteral("pri[-2147483648]: z; pri[2]: a; "));
}
