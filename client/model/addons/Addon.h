#pragma once

#include <QString>

namespace plenfox::client::model {

class AddonVersion;

// An addon: a named folder of the game's addon folder, installed or packaged.
class Addon {
public:
    virtual ~Addon() = default;
    virtual QString getName() const = 0;
    virtual const AddonVersion& getVersion() const = 0;
};

} // namespace plenfox::client::model
