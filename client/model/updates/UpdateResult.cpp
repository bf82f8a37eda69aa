#include "client/model/updates/UpdateResult.h"

#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"
#include "lib/util/Error.h"

namespace plenfox::client::model {

UpdateResult::UpdateResult(std::vector<std::shared_ptr<AddonMetadata>> addons, TagTable pairs)
    : addons(std::move(addons)), pairs(std::move(pairs)) {}

std::shared_ptr<UpdateResult> UpdateResult::createEmpty() {
    return std::make_shared<UpdateResult>(std::vector<std::shared_ptr<AddonMetadata>>{},
                                          TagTable{});
}

void UpdateResult::writeFields(ObjectWriter& writer) const {
    writer.writeObjectList(addons);
    pairs.write(writer);
}

std::shared_ptr<UpdateResult> UpdateResult::readFields(ObjectReader& reader) {
    auto addons = reader.readObjectList<AddonMetadata>();
    for (const auto& addon : addons)
        if (!addon)
            throw util::StreamCorruptedError(QStringLiteral("null addon in update result"));
    TagTable pairs = TagTable::read(reader);
    return std::make_shared<UpdateResult>(std::move(addons), std::move(pairs));
}

} // namespace plenfox::client::model
