#pragma once

#include "client/model/addons/AddonChangeListener.h"
#include "client/model/events/ListenerMultiplexer.h"

namespace plenfox::client::model {

class AddonChangeListenerMultiplexer : public AddonChangeListener,
                                       public ListenerMultiplexer<AddonChangeListener> {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.AddonChangeListenerMultiplexer");

    AddonChangeListenerMultiplexer() : ListenerMultiplexer(Prefix) {}

    void addonInstalled(AddonManager& manager,
                        const std::shared_ptr<wow::InstalledWowAddon>& addon) override {
        fire([&](AddonChangeListener& l) { l.addonInstalled(manager, addon); });
    }
    void addonRemoved(AddonManager& manager,
                      const std::shared_ptr<wow::InstalledWowAddon>& addon) override {
        fire([&](AddonChangeListener& l) { l.addonRemoved(manager, addon); });
    }
    void afterPackageInstalled(AddonManager& manager,
                               const std::shared_ptr<AddonPackage>& package) override {
        fire([&](AddonChangeListener& l) { l.afterPackageInstalled(manager, package); });
    }
    void afterRefresh(AddonManager& manager) override {
        fire([&](AddonChangeListener& l) { l.afterRefresh(manager); });
    }
    void beforePackageInstalled(AddonManager& manager,
                                const std::shared_ptr<AddonPackage>& package) override {
        fire([&](AddonChangeListener& l) { l.beforePackageInstalled(manager, package); });
    }
    void beforeRefresh(AddonManager& manager) override {
        fire([&](AddonChangeListener& l) { l.beforeRefresh(manager); });
    }
};

} // namespace plenfox::client::model
