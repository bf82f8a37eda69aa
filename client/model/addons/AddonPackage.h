#pragma once

#include "client/model/wow/SupportedGame.h"

#include <QString>
#include <memory>
#include <vector>

namespace plenfox::client::model {

class Addon;

// A package (zip file) holding one or more addons.
class AddonPackage {
public:
    virtual ~AddonPackage() = default;
    virtual std::vector<std::shared_ptr<Addon>> getAddons() = 0;
    virtual wow::SupportedGame getGame() const = 0;
    virtual QString getPackageName() const = 0;
};

} // namespace plenfox::client::model
