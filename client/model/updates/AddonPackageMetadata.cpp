#include "client/model/updates/AddonPackageMetadata.h"

#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"

namespace plenfox::client::model {

AddonPackageMetadata::AddonPackageMetadata(std::vector<std::shared_ptr<AddonMetadata>> addons,
                                           QString browseUrl, QString packageName)
    : addons(std::move(addons)), browseUrl(std::move(browseUrl)),
      packageName(std::move(packageName)) {}

std::shared_ptr<AddonPackageMetadata> AddonPackageMetadata::clone() const {
    return std::make_shared<AddonPackageMetadata>(addons, browseUrl, packageName);
}

void AddonPackageMetadata::writeFields(ObjectWriter& writer) const {
    writer.writeObjectList(addons);
    writer.writeString(browseUrl);
    writer.writeString(packageName);
}

std::shared_ptr<AddonPackageMetadata> AddonPackageMetadata::readFields(ObjectReader& reader) {
    auto addons = reader.readObjectList<AddonMetadata>();
    QString browseUrl = reader.readString();
    QString packageName = reader.readString();
    return std::make_shared<AddonPackageMetadata>(std::move(addons), std::move(browseUrl),
                                                  std::move(packageName));
}

} // namespace plenfox::client::model
