#include "client/model/updates/AvailableUpdate.h"

#include "client/model/wow/InstalledWowAddon.h"

namespace plenfox::client::model {

AvailableUpdate::AvailableUpdate(std::shared_ptr<wow::InstalledWowAddon> installed,
                                 std::shared_ptr<const AddonMetadata> update)
    : installed(std::move(installed)), update(std::move(update)) {}

} // namespace plenfox::client::model
