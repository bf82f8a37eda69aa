#include "client/model/addons/StagingFolder.h"

#include "client/model/App.h"
#include "lib/util/FileSystem.h"
#include "lib/util/Paths.h"

#include <QLockFile>
#include <algorithm>
#include <set>
#include <system_error>

namespace plenfox::client::model {

using util::FileSystem;
using util::pathText;

namespace fs = std::filesystem;

namespace {

// Entries of a folder in listing order; empty when it cannot be listed.
std::vector<fs::path> listFolder(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    return entries;
}

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// A lock that only a running process holds: a lock file left by a process
// that has ended is taken over, however old it is.
std::unique_ptr<QLockFile> lockFor(const fs::path& folder) {
    auto lock = std::make_unique<QLockFile>(pathText(folder) + StagingFolder::LockSuffix);
    lock->setStaleLockTime(0);
    return lock;
}

bool isStagingName(const QString& name) {
    return name.startsWith(StagingFolder::NamePrefix, Qt::CaseInsensitive);
}

} // namespace

StagingFolder::StagingFolder(fs::path addonRoot, fs::path folder, std::unique_ptr<QLockFile> lock,
                             QString logPrefix)
    : addonRoot(std::move(addonRoot)), folder(std::move(folder)), newRoot(this->folder / "new"),
      oldRoot(this->folder / "old"), lock(std::move(lock)), logPrefix(std::move(logPrefix)) {}

StagingFolder::~StagingFolder() {
    if (keep) {
        // Out of the way of the clean-up of leftovers, which would delete it.
        const fs::path kept = addonRoot / (QStringLiteral(".plenfox-kept-") +
                                           pathText(folder.filename()).mid(NamePrefix.size()))
                                              .toStdU16String();
        std::error_code error;
        fs::rename(folder, kept, error);
        log(QStringLiteral(".install: the replaced addons are kept in [") +
            pathText(error ? folder : kept) + QLatin1Char(']'));
    } else if (!FileSystem::deleteTree(folder)) {
        log(QStringLiteral(".install: unable to delete [") + pathText(folder) + QLatin1Char(']'));
    }
    lock->unlock();
}

void StagingFolder::log(const QString& message) const {
    App::log(logPrefix + message);
}

std::unique_ptr<StagingFolder> StagingFolder::create(const fs::path& addonRoot,
                                                     const QString& logPrefix) {
    deleteLeftovers(addonRoot, logPrefix);
    for (int number = 1; number <= MaxFolders; ++number) {
        const fs::path folder = addonRoot / (NamePrefix + QString::number(number)).toStdU16String();
        std::unique_ptr<QLockFile> lock = lockFor(folder);
        if (!lock->tryLock(0)) {
            if (lock->error() == QLockFile::LockFailedError)
                continue; // another install's
            break;
        }
        // The lock is ours, so whatever is there is a leftover.
        std::error_code error;
        if (!FileSystem::deleteTree(folder) || !fs::create_directory(folder, error) ||
            !fs::create_directory(folder / "new", error) ||
            !fs::create_directory(folder / "old", error))
            break;
        return std::unique_ptr<StagingFolder>(
            new StagingFolder(addonRoot, folder, std::move(lock), logPrefix));
    }
    App::log(logPrefix + QStringLiteral(".install: Failed to create a staging directory in [") +
             pathText(addonRoot) + QLatin1Char(']'));
    return nullptr;
}

void StagingFolder::deleteLeftovers(const fs::path& addonRoot, const QString& logPrefix) {
    std::set<fs::path> folders;
    for (const fs::path& entry : listFolder(addonRoot)) {
        QString name = pathText(entry.filename());
        if (!name.startsWith(NamePrefix))
            continue;
        if (name.endsWith(LockSuffix))
            name.chop(LockSuffix.size());
        folders.insert(addonRoot / name.toStdU16String());
    }
    for (const fs::path& folder : folders) {
        std::unique_ptr<QLockFile> lock = lockFor(folder);
        if (!lock->tryLock(0))
            continue; // in use by a running install
        std::error_code error;
        if (fs::exists(fs::symlink_status(folder, error))) {
            App::log(logPrefix +
                     QStringLiteral(".install: deleting a staging directory left by "
                                    "an interrupted install [") +
                     pathText(folder) + QLatin1Char(']'));
            if (!FileSystem::deleteTree(folder))
                App::log(logPrefix + QStringLiteral(".install: unable to delete [") +
                         pathText(folder) + QLatin1Char(']'));
        }
        lock->unlock(); // deletes the lock file
    }
}

bool StagingFolder::swapIn(const QStringList& addonFolders) {
    // The package's addons first, in package order, then the rest: a clash
    // among the rest then also shows that undoing the addons works.
    std::vector<fs::path> entries;
    for (const QString& name : addonFolders) {
        const fs::path entry = newRoot / name.toStdU16String();
        if (isFolder(entry) && std::find(entries.begin(), entries.end(), entry) == entries.end())
            entries.push_back(entry);
    }
    // The rest by name, so that an install goes the same way every time.
    std::vector<fs::path> rest = listFolder(newRoot);
    std::sort(rest.begin(), rest.end());
    for (const fs::path& entry : rest)
        if (std::find(entries.begin(), entries.end(), entry) == entries.end())
            entries.push_back(entry);

    for (const fs::path& entry : entries) {
        const QString name = pathText(entry.filename());
        // Never touch another install's staging folder or lock.
        const bool placed =
            !isStagingName(name) &&
            place(entry, addonRoot, addonFolders.contains(name) || !isFolder(entry));
        if (!placed) {
            log(QStringLiteral(".install: unable to move [") + pathText(entry) +
                QStringLiteral("] to [") + pathText(addonRoot / entry.filename()) +
                QLatin1Char(']'));
            undo();
            return false;
        }
    }
    deleteOld();
    return true;
}

bool StagingFolder::place(const fs::path& source, const fs::path& into, bool replaceWhole) {
    const fs::path existing = FileSystem::findEntryIgnoringCase(into, source.filename());
    const fs::path target = into / source.filename();
    if (existing.empty())
        return move(source, target, false);
    const bool sourceIsFolder = isFolder(source);
    const bool existingIsFolder = isFolder(existing);
    if (!replaceWhole) {
        if (!existingIsFolder)
            return false;
        for (const fs::path& child : listFolder(source))
            if (!place(child, existing, !isFolder(child)))
                return false;
        return true;
    }
    // A package file never replaces a folder of the player's; an addon
    // folder replaces whatever has its name.
    if (!sourceIsFolder && existingIsFolder)
        return false;
    return moveAside(existing) && move(source, target, false);
}

bool StagingFolder::moveAside(const fs::path& entry) {
    // Numbered, so entries of the same name from different folders never meet.
    return move(entry, oldRoot / std::to_string(moves.size()), true);
}

bool StagingFolder::move(const fs::path& from, const fs::path& to, bool aside) {
    std::error_code error;
    fs::rename(from, to, error);
    if (error) {
        log(QStringLiteral(".install: unable to rename [") + pathText(from) +
            QStringLiteral("] to [") + pathText(to) + QStringLiteral("]: ") +
            QString::fromStdString(error.message()));
        return false;
    }
    moves.push_back({from, to, aside});
    return true;
}

void StagingFolder::undo() {
    for (auto it = moves.rbegin(); it != moves.rend(); ++it) {
        std::error_code error;
        fs::rename(it->to, it->from, error);
        if (error) {
            log(QStringLiteral(".install: unable to put back [") + pathText(it->to) +
                QStringLiteral("] to [") + pathText(it->from) + QLatin1Char(']'));
            keep = keep || it->aside;
        }
    }
    moves.clear();
}

void StagingFolder::deleteOld() {
    for (const Move& moved : moves)
        if (moved.aside && !FileSystem::deleteTree(moved.to))
            log(QStringLiteral("install: unable to delete existing tree [") + pathText(moved.from) +
                QLatin1Char(']'));
    moves.clear();
}

} // namespace plenfox::client::model
