#include "client/model/updates/AddonMetadata.h"

#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"

namespace plenfox::client::model {

AddonMetadata::AddonMetadata(QString name, QString packageName, QString version, bool installed,
                             QString documentUrl, QString downloadUrl)
    : name(std::move(name)), packageName(std::move(packageName)), version(std::move(version)),
      installed(installed), documentUrl(std::move(documentUrl)),
      downloadUrl(std::move(downloadUrl)) {}

std::shared_ptr<AddonMetadata> AddonMetadata::withDownloadUrl(QString url) const {
    auto copy = std::make_shared<AddonMetadata>(*this);
    copy->downloadUrl = std::move(url);
    return copy;
}

void AddonMetadata::writeFields(ObjectWriter& writer) const {
    writer.writeString(name);
    writer.writeString(packageName);
    writer.writeString(version);
    writer.writeBool(installed);
    writer.writeString(documentUrl);
}

std::shared_ptr<AddonMetadata> AddonMetadata::readFields(ObjectReader& reader) {
    QString name = reader.readString();
    QString packageName = reader.readString();
    QString version = reader.readString();
    const bool installed = reader.readBool();
    QString documentUrl = reader.readString();
    return std::make_shared<AddonMetadata>(std::move(name), std::move(packageName),
                                           std::move(version), installed, std::move(documentUrl));
}

} // namespace plenfox::client::model
