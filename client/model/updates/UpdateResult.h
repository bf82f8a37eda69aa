#pragma once

#include "client/model/updates/AddonMetadata.h"
#include "client/model/updates/TagTable.h"

#include <QString>
#include <memory>
#include <vector>

namespace plenfox::client::model {

// The update service's answer: one entry per addon it knows (in the answer's
// order) and the tags, the query's own tags overlaid with the answer's.
// Immutable; stored in data files.
class UpdateResult {
public:
    static inline const QString StreamType = QStringLiteral("UpdateResult");

    UpdateResult(std::vector<std::shared_ptr<AddonMetadata>> addons, TagTable pairs);

    // No addons and no tags.
    static std::shared_ptr<UpdateResult> createEmpty();

    const std::vector<std::shared_ptr<AddonMetadata>>& getAddons() const { return addons; }
    const TagTable& getPairs() const { return pairs; }

    void writeFields(ObjectWriter& writer) const;
    // Throws StreamCorruptedError for a null addon in the list.
    static std::shared_ptr<UpdateResult> readFields(ObjectReader& reader);

private:
    std::vector<std::shared_ptr<AddonMetadata>> addons;
    TagTable pairs;
};

} // namespace plenfox::client::model
