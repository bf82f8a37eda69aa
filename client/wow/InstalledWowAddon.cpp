#include "client/wow/InstalledWowAddon.h"

#include "client/wow/TocFile.h"
#include "lib/util/Error.h"

namespace plenfox::client::wow {

InstalledWowAddon::InstalledWowAddon(WowInstallation* wow, QString name, std::filesystem::path root)
    : wow(wow), name(std::move(name)), root(std::move(root)) {
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

std::filesystem::path InstalledWowAddon::getTocFile() const {
    return root / (name + QStringLiteral(".toc")).toStdU16String();
}

void InstalledWowAddon::initializeToc() const {
    // The TOC logs an unreadable file itself and keeps what it read.
    toc = std::make_shared<const TocFile>(getTocFile());
}

} // namespace plenfox::client::wow
