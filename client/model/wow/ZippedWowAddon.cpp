#include "client/model/wow/ZippedWowAddon.h"

#include "client/model/wow/TocFile.h"
#include "lib/util/Error.h"

namespace plenfox::client::wow {

ZippedWowAddon::ZippedWowAddon(QString name, std::shared_ptr<const TocFile> tocFile,
                               bool forFlavour)
    : name(std::move(name)), tocFile(std::move(tocFile)), forFlavour(forFlavour) {}

QString ZippedWowAddon::getVersionName() const {
    return tocFile->getVersion();
}

int ZippedWowAddon::compareAddonVersions(const model::AddonVersion&) const {
    throw util::UnsupportedOperationError(
        QStringLiteral("addon versions are matched by their text, not ordered"));
}

} // namespace plenfox::client::wow
