#pragma once

#include "client/model/addons/Addon.h"
#include "client/model/addons/AddonVersion.h"
#include "client/model/addons/WowAddon.h"

#include <QString>
#include <filesystem>
#include <memory>
#include <mutex>

namespace plenfox::client::wow {

class TocFile;
class WowInstallation;

// One addon folder of the game's addon folder. Its TOC is read when the object
// is made and kept; the version is the TOC's version text. Two objects are
// the same addon only when they are the same object.
class InstalledWowAddon : public model::Addon, public model::AddonVersion, public model::WowAddon {
public:
    InstalledWowAddon(WowInstallation* wow, QString name, std::filesystem::path root);
    ~InstalledWowAddon() override;

    QString getName() const override { return name; }
    const model::AddonVersion& getVersion() const override { return *this; }
    std::shared_ptr<const TocFile> getToc() const override;
    QString getVersionName() const override { return getInternalVersion(); }
    // Versions are matched by exact text only.
    int compareAddonVersions(const model::AddonVersion& other) const override;

    // The TOC's version text, read once.
    QString getInternalVersion() const;
    // root joined with name + ".toc".
    std::filesystem::path getTocFile() const;
    // The TOC file "<name>.toc" in the folder, its name compared ignoring case;
    // the exact name when there is none.
    static std::filesystem::path findTocFile(const std::filesystem::path& folder,
                                             const QString& name);
    const std::filesystem::path& getRoot() const { return root; }
    WowInstallation* getWow() const { return wow; }

private:
    void initializeToc() const;

    WowInstallation* wow;
    const QString name;
    const std::filesystem::path root;

    mutable std::mutex lock;
    mutable std::shared_ptr<const TocFile> toc;
    mutable QString version;
    mutable bool versionInitialized = false;
};

} // namespace plenfox::client::wow
