#pragma once

#include "client/model/updates/AddonMetadata.h"
#include "client/model/updates/AddonPackageMetadata.h"
#include "client/model/updates/TagTable.h"

#include <QString>
#include <memory>
#include <vector>

namespace plenfox::client::model {

// What the client asks the update service: the installed addons, grouped by
// the package they came from (addons of no known package are "loose"), and
// the query's tags. Immutable; stored in data files.
class UpdateQuery {
public:
    static inline const QString StreamType = QStringLiteral("UpdateQuery");

    UpdateQuery(std::vector<std::shared_ptr<AddonPackageMetadata>> addonPackages,
                std::vector<std::shared_ptr<AddonMetadata>> looseAddons, TagTable pairs);

    const std::vector<std::shared_ptr<AddonPackageMetadata>>& getAddonPackages() const {
        return addonPackages;
    }
    const std::vector<std::shared_ptr<AddonMetadata>>& getLooseAddons() const {
        return looseAddons;
    }
    const TagTable& getPairs() const { return pairs; }

    void writeFields(ObjectWriter& writer) const;
    // Throws StreamCorruptedError for a null package or addon in the lists.
    static std::shared_ptr<UpdateQuery> readFields(ObjectReader& reader);

private:
    std::vector<std::shared_ptr<AddonPackageMetadata>> addonPackages;
    std::vector<std::shared_ptr<AddonMetadata>> looseAddons;
    TagTable pairs;
};

} // namespace plenfox::client::model
