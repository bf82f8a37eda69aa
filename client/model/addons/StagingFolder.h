#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <vector>

class QLockFile;

namespace plenfox::client::model {

// The way of a package into the addon folder. The package is extracted into
// a staging folder inside the addon folder; swapIn() then moves the old
// entries aside, moves the new ones in and deletes the old ones only once
// everything is in place. A swap that fails half way puts everything back,
// so an install happens whole or leaves the addon folder as it was.
//
// A lock file beside each staging folder is held while an install uses it.
// Staging folders whose lock nobody holds were left by an install that was
// killed; they are deleted before a new staging folder is made.
class StagingFolder {
public:
    // Name prefix of the staging folders and their lock files; hidden and
    // never an addon of its own.
    static inline const QString NamePrefix = QStringLiteral(".plenfox-staging-");
    static inline const QString LockSuffix = QStringLiteral(".lock");
    // Staging folders that may exist at once, one per running install.
    static constexpr int MaxFolders = 100;

    // Deletes leftover staging folders of the addon folder and makes a new,
    // locked one. Null, after logging why, when none can be made. Log lines
    // start with the given prefix.
    static std::unique_ptr<StagingFolder> create(const std::filesystem::path& addonRoot,
                                                 const QString& logPrefix);
    // Deletes the staging folder with whatever it still holds, then releases
    // its lock.
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    // The folder the package is extracted into.
    const std::filesystem::path& content() const { return newRoot; }

    // Moves what was extracted into the addon folder. A folder named in
    // `addonFolders` replaces the installed entry of that name, letter case
    // ignored, so that no twin differing only in case is made; other folders
    // are merged into an installed folder of that name, files replace files.
    // A file never replaces a folder nor a folder a file there: the player's
    // content stays and the swap fails. On failure everything moved is put
    // back and false is returned, after logging why.
    bool swapIn(const QStringList& addonFolders);

private:
    // One rename done by the swap, undone in reverse order.
    struct Move {
        std::filesystem::path from;
        std::filesystem::path to;
        bool aside; // an old entry moved out of the way
    };

    StagingFolder(std::filesystem::path addonRoot, std::filesystem::path folder,
                  std::unique_ptr<QLockFile> lock, QString logPrefix);

    static void deleteLeftovers(const std::filesystem::path& addonRoot, const QString& logPrefix);
    bool place(const std::filesystem::path& source, const std::filesystem::path& folder,
               bool replaceWhole);
    bool moveAside(const std::filesystem::path& entry);
    bool move(const std::filesystem::path& from, const std::filesystem::path& to, bool aside);
    void undo();
    void deleteOld();
    void log(const QString& message) const;

    const std::filesystem::path addonRoot;
    const std::filesystem::path folder;
    const std::filesystem::path newRoot;
    const std::filesystem::path oldRoot;
    std::unique_ptr<QLockFile> lock;
    const QString logPrefix;
    std::vector<Move> moves;
    // Set when something could not be put back: the folder then holds the
    // player's old content and is left for the player.
    bool keep = false;
};

} // namespace plenfox::client::model
