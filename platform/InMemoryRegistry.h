#pragma once

#include "platform/Registry.h"

#include <QHash>
#include <mutex>

namespace plenfox::platform {

// A registry held in memory: the stand-in on systems without a registry, and
// a registry that tests fill with the keys and values they need. Key and
// value names are matched ignoring case, as the Windows registry does.
class InMemoryRegistry : public Registry {
public:
    void addKey(const QString& key);
    // Adds the key when needed.
    void setValue(const QString& key, const QString& valueName, Value value);

    bool keyExists(const QString& key) const override;
    std::optional<Value> readValue(const QString& key, const QString& valueName) const override;

private:
    mutable std::mutex lock;
    // lower-cased key -> lower-cased value name -> value
    QHash<QString, QHash<QString, Value>> keys;
};

} // namespace plenfox::platform
