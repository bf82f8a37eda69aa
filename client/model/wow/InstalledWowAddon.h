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

// One addon folder of the game's addon folder. Its TOC (the one the current
// flavour loads, or, when it loads none, one for another flavour) is read
// when the object is made and kept; the version is the TOC's version text.
// Two objects are the same addon only when they are the same object.
class InstalledWowAddon : public model::Addon, public model::AddonVersion, public model::WowAddon {
public:
    // Chooses the TOC the installation's current flavour loads (any flavour
    // without an installation).
    InstalledWowAddon(WowInstallation* wow, QString name, std::filesystem::path root);
    // With the TOC already chosen.
    InstalledWowAddon(WowInstallation* wow, QString name, std::filesystem::path root,
                      std::filesystem::path tocFile, bool forFlavour);
    ~InstalledWowAddon() override;

    QString getName() const override { return name; }
    const model::AddonVersion& getVersion() const override { return *this; }
    std::shared_ptr<const TocFile> getToc() const override;
    QString getVersionName() const override { return getInternalVersion(); }
    // Versions are matched by exact text only.
    int compareAddonVersions(const model::AddonVersion& other) const override;

    // The TOC's version text, read once.
    QString getInternalVersion() const;
    // The TOC file read; root joined with name + ".toc" when the folder
    // holds none named after it.
    std::filesystem::path getTocFile() const { return tocFile; }
    // Whether the current flavour loads the addon: false when its TOCs are
    // all for other flavours.
    bool isForFlavour() const { return forFlavour; }
    const std::filesystem::path& getRoot() const { return root; }
    WowInstallation* getWow() const { return wow; }

private:
    void initializeToc() const;

    WowInstallation* wow;
    const QString name;
    const std::filesystem::path root;
    std::filesystem::path tocFile;
    bool forFlavour = true;

    mutable std::mutex lock;
    mutable std::shared_ptr<const TocFile> toc;
    mutable QString version;
    mutable bool versionInitialized = false;
};

} // namespace plenfox::client::wow
