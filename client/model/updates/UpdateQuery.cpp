#include "client/model/updates/UpdateQuery.h"

#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"
#include "lib/util/Error.h"

namespace plenfox::client::model {

namespace {
template <typename T>
void requireNoNulls(const std::vector<std::shared_ptr<T>>& records, const QString& what) {
    for (const auto& record : records)
        if (!record)
            throw util::StreamCorruptedError(QStringLiteral("null ") + what +
                                             QStringLiteral(" in update query"));
}
} // namespace

UpdateQuery::UpdateQuery(std::vector<std::shared_ptr<AddonPackageMetadata>> addonPackages,
                         std::vector<std::shared_ptr<AddonMetadata>> looseAddons, TagTable pairs)
    : addonPackages(std::move(addonPackages)), looseAddons(std::move(looseAddons)),
      pairs(std::move(pairs)) {}

void UpdateQuery::writeFields(ObjectWriter& writer) const {
    writer.writeObjectList(addonPackages);
    writer.writeObjectList(looseAddons);
    pairs.write(writer);
}

std::shared_ptr<UpdateQuery> UpdateQuery::readFields(ObjectReader& reader) {
    auto packages = reader.readObjectList<AddonPackageMetadata>();
    requireNoNulls(packages, QStringLiteral("package"));
    for (const auto& package : packages)
        requireNoNulls(package->getAddons(), QStringLiteral("addon"));
    auto loose = reader.readObjectList<AddonMetadata>();
    requireNoNulls(loose, QStringLiteral("addon"));
    TagTable pairs = TagTable::read(reader);
    return std::make_shared<UpdateQuery>(std::move(packages), std::move(loose), std::move(pairs));
}

} // namespace plenfox::client::model
