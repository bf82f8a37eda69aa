#include "platform/InMemoryRegistry.h"

namespace plenfox::platform {

void InMemoryRegistry::addKey(const QString& key) {
    std::lock_guard guard(lock);
    keys[key.toLower()];
}

void InMemoryRegistry::setValue(const QString& key, const QString& valueName, Value value) {
    std::lock_guard guard(lock);
    keys[key.toLower()].insert(valueName.toLower(), std::move(value));
}

bool InMemoryRegistry::keyExists(const QString& key) const {
    std::lock_guard guard(lock);
    return keys.contains(key.toLower());
}

std::optional<Registry::Value> InMemoryRegistry::readValue(const QString& key,
                                                           const QString& valueName) const {
    std::lock_guard guard(lock);
    const auto values = keys.constFind(key.toLower());
    if (values == keys.cend())
        return std::nullopt;
    const auto value = values->constFind(valueName.toLower());
    if (value == values->cend())
        return std::nullopt;
    return *value;
}

} // namespace plenfox::platform
