#include "client/model/wow/InstalledWowAddon.h"

#include "client/model/wow/TocFile.h"
#include "client/model/wow/TocSelector.h"
#include "client/model/wow/WowInstallation.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

namespace plenfox::client::wow {

InstalledWowAddon::InstalledWowAddon(WowInstallation* wow, QString name, std::filesystem::path root)
    : wow(wow), name(std::move(name)), root(std::move(root)) {
    const TocSelector selector = wow ? wow->tocSelector() : TocSelector();
    const std::optional<TocSelector::Choice> choice = selector.choose(this->root, this->name);
    tocFile = this->root /
              (choice ? choice->fileName : this->name + QStringLiteral(".toc")).toStdU16String();
    forFlavour = !choice || choice->forFlavour;
    getInternalVersion();
}

InstalledWowAddon::InstalledWowAddon(WowInstallation* wow, QString name, std::filesystem::path root,
                                     std::filesystem::path tocFile, bool forFlavour)
    : wow(wow), name(std::move(name)), root(std::move(root)), tocFile(std::move(tocFile)),
      forFlavour(forFlavour) {
    getInternalVersion();
}

InstalledWowAddon::~InstalledWowAddon() = default;

std::shared_ptr<const TocFile> InstalledWowAddon::getToc() const {
    std::lock_guard guard(lock);
    if (!toc)
        initializeToc();
    return toc;
}

int InstalledWowAddon::compareAddonVersions(const model::AddonVersion&) const {
    throw util::UnsupportedOperationError(
        QStringLiteral("addon versions are matched by their text"));
}

QString InstalledWowAddon::getInternalVersion() const {
    std::lock_guard guard(lock);
    if (!versionInitialized) {
        if (!toc)
            initializeToc();
        version = toc->getVersion();
        versionInitialized = true;
    }
    return version;
}

void InstalledWowAddon::initializeToc() const {
    // The TOC logs an unreadable file itself and keeps what it read.
    toc = std::make_shared<const TocFile>(getTocFile());
}

} // namespace plenfox::client::wow
