#pragma once

#include "client/model/addons/AddonPackage.h"
#include "client/model/wow/SupportedGame.h"
#include "client/model/wow/TocSelector.h"
#include "client/model/wow/ZippedWowAddon.h"

#include <QString>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

namespace plenfox::client::wow {

class ZipInfo;

// A zip file seen as an addon package: one or more top-level addon folders,
// each with at least one TOC named after the folder, with or without a
// flavour's suffix. Each addon shows the TOC a given flavour would load. The
// archive is scanned once, on first demand, under the package's lock, and
// not held open between calls.
// Shared between threads as std::shared_ptr<ZippedWowAddonPackage>.
class ZippedWowAddonPackage : public model::AddonPackage {
public:
    static inline const QString QualifiedName =
        QStringLiteral("com.plenfox.kesh.client.wow.ZippedWowAddonPackage");
    // The TOC entries of a scan are read through one copy buffer of this size.
    static constexpr std::size_t CopyBufferSize = 4096;
    // A package whose entries declare more bytes than this in all is not
    // extracted, so that a hostile archive cannot fill the disk.
    static constexpr std::uint64_t MaxExtractedBytes = std::uint64_t{1} << 30;
    // TOC entries are read into memory; larger ones are treated as unreadable.
    static constexpr std::uint64_t MaxTocBytes = std::uint64_t{1} << 20;

    // Stores the path; nothing is read yet. Without a selector every TOC
    // counts, the plain one first.
    explicit ZippedWowAddonPackage(std::filesystem::path file);
    ZippedWowAddonPackage(std::filesystem::path file, TocSelector selector);
    ~ZippedWowAddonPackage() override;

    // Scans the archive once; later calls do nothing. An unreadable archive
    // is logged and gives a package without addons.
    void parse();
    // Whether the archive holds at least one addon TOC and no loose
    // top-level files.
    bool validate();
    int size();
    // A new list of the addons, in archive order.
    std::vector<std::shared_ptr<model::Addon>> getAddons() override;
    // Throws std::out_of_range when there is no addon at that position.
    std::shared_ptr<ZippedWowAddon> getAddon(int index);
    SupportedGame getGame() const override { return SupportedGame::WorldOfWarcraft; }
    // The zip file's name with its extension.
    QString getPackageName() const override;
    const std::filesystem::path& getFile() const { return file; }

    // Extracts every entry of the archive below the folder, directories first,
    // on a fresh scan. Returns false, after logging why, when the archive
    // cannot be read, an entry would land outside the folder, is a symbolic
    // link, the package is too large, or a directory, file or entry fails;
    // in the last case files already written stay on disk. Names are checked
    // before anything is written; large packages are written by two threads.
    // Does not take the package's lock.
    bool extractTo(const std::filesystem::path& folder);

    // Whether an entry name stays below the folder it is extracted into:
    // relative, no drive letter or other colon, no ".." (with "/" or "\"
    // as separator) climbing above the top, and no component that Windows
    // reads as a device (CON, PRN, AUX, NUL, COM0-9, LPT0-9, any extension).
    static bool isSafeEntryName(const QString& name);

private:
    void parseLocked();
    bool isExtractable(const ZipInfo& info) const;
    void logExtract(const QString& message) const;

    const std::filesystem::path file;
    const TocSelector selector;
    std::mutex lock;
    bool parsed = false;
    bool validated = false;
    std::vector<std::shared_ptr<ZippedWowAddon>> addons;
};

} // namespace plenfox::client::wow
