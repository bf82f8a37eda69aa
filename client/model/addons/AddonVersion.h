#pragma once

#include <QString>

namespace plenfox::client::model {

// The version of an addon. Versions are matched by their exact text.
class AddonVersion {
public:
    virtual ~AddonVersion() = default;
    // Not supported by the client's addons: throws UnsupportedOperationError.
    virtual int compareAddonVersions(const AddonVersion& other) const = 0;
    virtual QString getVersionName() const = 0;
};

} // namespace plenfox::client::model
