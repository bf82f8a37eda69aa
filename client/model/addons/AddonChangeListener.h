#pragma once

#include <memory>

namespace plenfox::client::wow {
class InstalledWowAddon;
}

namespace plenfox::client::model {

class AddonManager;
class AddonPackage;

// Told of every change to the list of installed addons.
class AddonChangeListener {
public:
    virtual ~AddonChangeListener() = default;
    virtual void addonInstalled(AddonManager& manager,
                                const std::shared_ptr<wow::InstalledWowAddon>& addon) = 0;
    virtual void addonRemoved(AddonManager& manager,
                              const std::shared_ptr<wow::InstalledWowAddon>& addon) = 0;
    virtual void afterPackageInstalled(AddonManager& manager,
                                       const std::shared_ptr<AddonPackage>& package) = 0;
    virtual void afterRefresh(AddonManager& manager) = 0;
    virtual void beforePackageInstalled(AddonManager& manager,
                                        const std::shared_ptr<AddonPackage>& package) = 0;
    virtual void beforeRefresh(AddonManager& manager) = 0;
};

} // namespace plenfox::client::model
