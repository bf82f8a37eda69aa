#pragma once

#include "client/model/updates/AddonMetadata.h"

#include <QString>
#include <memory>
#include <vector>

namespace plenfox::client::model {

// One package (zip file) and the addons it carried, as told to the update
// service. Stored in data files.
class AddonPackageMetadata {
public:
    static inline const QString StreamType = QStringLiteral("AddonPackageMetadata");

    // browseUrl may be null.
    AddonPackageMetadata(std::vector<std::shared_ptr<AddonMetadata>> addons, QString browseUrl,
                         QString packageName);

    // A new record with a new list holding the same addon records.
    std::shared_ptr<AddonPackageMetadata> clone() const;

    const std::vector<std::shared_ptr<AddonMetadata>>& getAddons() const { return addons; }
    const QString& getDocumentUrl() const { return browseUrl; }
    const QString& getPackageName() const { return packageName; }

    void writeFields(ObjectWriter& writer) const;
    static std::shared_ptr<AddonPackageMetadata> readFields(ObjectReader& reader);

private:
    std::vector<std::shared_ptr<AddonMetadata>> addons;
    QString browseUrl;
    QString packageName;
};

} // namespace plenfox::client::model
