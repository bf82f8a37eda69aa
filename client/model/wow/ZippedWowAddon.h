#pragma once

#include "client/model/addons/Addon.h"
#include "client/model/addons/AddonVersion.h"
#include "client/model/addons/WowAddon.h"

#include <QString>
#include <memory>

namespace plenfox::client::wow {

class TocFile;

// One addon inside a zipped package: its folder name and the TOC read from
// the archive (the one the package's flavour loads, else another flavour's). The addon is its own
// version; versions match by exact text.
class ZippedWowAddon : public model::Addon, public model::AddonVersion, public model::WowAddon {
public:
    ZippedWowAddon(QString name, std::shared_ptr<const TocFile> tocFile, bool forFlavour = true);

    QString getName() const override { return name; }
    std::shared_ptr<const TocFile> getToc() const override { return tocFile; }
    const model::AddonVersion& getVersion() const override { return *this; }
    // The TOC's version text: "Version", else "X-Curse-Packaged-Version", else "?".
    QString getVersionName() const override;
    // Always throws UnsupportedOperationError.
    int compareAddonVersions(const model::AddonVersion& other) const override;
    // Whether the flavour the package was read for loads the addon.
    bool isForFlavour() const { return forFlavour; }

private:
    QString name;
    std::shared_ptr<const TocFile> tocFile;
    bool forFlavour;
};

} // namespace plenfox::client::wow
