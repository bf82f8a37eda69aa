#include "client/model/wow/InstalledWowAddon.h"

#include "client/model/wow/TocFile.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

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
    return findTocFile(root, name);
}

std::filesystem::path InstalledWowAddon::findTocFile(const std::filesystem::path& folder,
                                                     const QString& name) {
    namespace fs = std::filesystem;
    const QString fileName = name + QStringLiteral(".toc");
    const fs::path exact = folder / fileName.toStdU16String();
    std::error_code error;
    if (fs::is_regular_file(exact, error))
        return exact;
    // The game's file system ignores case: an addon packed as "Foo/foo.TOC"
    // is the addon Foo there. Find such a file on systems that keep case.
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (QString::compare(util::pathText(it->path().filename()), fileName,
                             Qt::CaseInsensitive) == 0 &&
            it->is_regular_file(error))
            return it->path();
    }
    return exact;
}

void InstalledWowAddon::initializeToc() const {
    // The TOC logs an unreadable file itself and keeps what it read.
    toc = std::make_shared<const TocFile>(getTocFile());
}

} // namespace plenfox::client::wow
