#pragma once

#include "client/model/updates/AddonMetadata.h"

#include <memory>

namespace plenfox::client::wow {
class InstalledWowAddon;
}

namespace plenfox::client::model {

// An installed addon together with the update service's entry for it, whose
// version differs from the installed one.
class AvailableUpdate {
public:
    AvailableUpdate(std::shared_ptr<wow::InstalledWowAddon> installed,
                    std::shared_ptr<const AddonMetadata> update);

    const std::shared_ptr<wow::InstalledWowAddon>& getInstalled() const { return installed; }
    const std::shared_ptr<const AddonMetadata>& getUpdate() const { return update; }

private:
    std::shared_ptr<wow::InstalledWowAddon> installed;
    std::shared_ptr<const AddonMetadata> update;
};

} // namespace plenfox::client::model
