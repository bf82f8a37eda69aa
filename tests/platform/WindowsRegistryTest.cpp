#include "platform/WindowsRegistry.h"

#include <gtest/gtest.h>

#include <map>

using plenfox::platform::RawRegistry;
using plenfox::platform::Registry;
using plenfox::platform::WindowsRegistry;

namespace {

// The registry API as a table: what Windows' calls would answer, and the
// names they were asked for.
class TableRegistry : public RawRegistry {
public:
    std::map<std::pair<std::u16string, std::u16string>, Value> values;
    mutable std::vector<std::u16string> askedKeys;

    bool keyExists(const std::u16string& key) const override {
        askedKeys.push_back(key);
        for (const auto& entry : values)
            if (entry.first.first == key)
                return true;
        return false;
    }
    std::optional<Value> readValue(const std::u16string& key,
                                   const std::u16string& valueName) const override {
        askedKeys.push_back(key);
        const auto found = values.find({key, valueName});
        if (found == values.end())
            return std::nullopt;
        return found->second;
    }
};

RawRegistry::Value raw(std::uint32_t type, std::vector<std::uint8_t> bytes) {
    return RawRegistry::Value{type, std::move(bytes)};
}

} // namespace

TEST(WindowsRegistryTest, DecodesWhatTheApiAnswers) {
    auto table = std::make_unique<TableRegistry>();
    const std::u16string key = u"SOFTWARE\\Blizzard Entertainment\\World of Warcraft";
    // "C:\Wö" without a terminating zero, and a number.
    table->values[{key, u"InstallPath"}] =
        raw(1, {'C', 0, ':', 0, '\\', 0, 'W', 0, 0xF6, 0, '\0', 0, 'x', 0});
    table->values[{key, u"Count"}] = raw(4, {0x10, 0, 0, 0});
    table->values[{key, u"List"}] = raw(7, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0});
    const TableRegistry& api = *table;
    const WindowsRegistry registry(std::move(table));

    const QString name = QString::fromStdU16String(key);
    EXPECT_TRUE(registry.keyExists(name));
    EXPECT_FALSE(registry.keyExists(QStringLiteral("SOFTWARE\\Other")));

    const std::optional<Registry::Value> path =
        registry.readValue(name, QStringLiteral("InstallPath"));
    ASSERT_TRUE(path);
    EXPECT_EQ(path->type, Registry::ValueType::String);
    EXPECT_EQ(path->data, QStringLiteral("C:\\Wö"));
    EXPECT_EQ(path->toString(), QStringLiteral("REG_SZ [C:\\Wö]"));
    const std::optional<Registry::Value> count = registry.readValue(name, QStringLiteral("Count"));
    EXPECT_EQ(count->type, Registry::ValueType::DWord);
    EXPECT_EQ(count->data, QStringLiteral("16"));
    EXPECT_EQ(registry.readValue(name, QStringLiteral("List"))->data, QStringLiteral("a; b"));
    EXPECT_FALSE(registry.readValue(name, QStringLiteral("Missing")));

    // Names reach the API unchanged, beyond ASCII too.
    registry.keyExists(QStringLiteral("SOFTWARE\\Café"));
    EXPECT_EQ(api.askedKeys.back(), u"SOFTWARE\\Café");
}
