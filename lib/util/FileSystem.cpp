#include "lib/util/FileSystem.h"

#include "lib/util/Paths.h"

#include <QFile>
#include <QStandardPaths>
#include <QString>

#include <system_error>
#include <vector>

namespace plenfox::util {

namespace fs = std::filesystem;

bool FileSystem::deleteTree(const fs::path& path) {
    std::error_code error;
    const fs::file_status linkStatus = fs::symlink_status(path, error);
    if (linkStatus.type() == fs::file_type::not_found)
        return true;
    // A path that cannot even be examined has not been deleted.
    if (error)
        return false;

    // A link is deleted itself, never followed into its target.
    if (fs::is_directory(linkStatus)) {
        // Entries of a read-only folder can only be removed once the folder
        // itself is writable (and searchable) again.
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, error);
        error.clear();
        std::vector<fs::path> children;
        fs::directory_iterator it(path, error);
        if (error)
            return false;
        for (; it != fs::directory_iterator(); it.increment(error)) {
            if (error)
                return false;
            children.push_back(it->path());
        }
        for (const fs::path& child : children)
            if (!deleteTree(child))
                return false;
    }

    if (!fs::is_symlink(linkStatus))
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
    error.clear();
    return fs::remove(path, error) && !error;
}

namespace {

// Whether a path the trash reported is inside a desktop trash folder
// ("…/Trash/files/x", "…/.Trash-1000/files/x" or "…/.Trash/1000/files/x").
bool isInTrash(const fs::path& placed) {
#if defined(Q_OS_LINUX)
    if (!placed.is_absolute())
        return false;
    const fs::path files = placed.parent_path();
    const QString container = pathText(files.parent_path().filename());
    return files.filename() == "files" &&
           (container == QStringLiteral("Trash") || container.startsWith(QStringLiteral(".Trash-")) ||
            files.parent_path().parent_path().filename() == ".Trash");
#else
    (void)placed;
    return true;
#endif
}

// Whether the user's own trash folder exists or can be made in the user's
// data folder (a desktop has one; a bare account may not). Qt's trash would
// otherwise file the entry under the working folder.
bool homeTrashUsable() {
#if defined(Q_OS_LINUX)
    const QString writable = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    std::error_code error;
    if (writable.isEmpty() || !fs::is_directory(toPath(writable), error))
        return false;
    const fs::path trash = toPath(writable) / "Trash";
    for (const char* part : {"files", "info"}) {
        fs::create_directories(trash / part, error);
        if (!fs::is_directory(trash / part, error))
            return false;
    }
#endif
    return true;
}

} // namespace

FileSystem::Discarded FileSystem::discard(const fs::path& path) {
    std::error_code error;
    if (fs::symlink_status(path, error).type() == fs::file_type::not_found)
        return Discarded::Deleted;
    if (!homeTrashUsable())
        return deleteTree(path) ? Discarded::Deleted : Discarded::Failed;
    // A link goes to the trash itself; its target stays where it is.
    QString placedText;
    if (QFile::moveToTrash(pathText(path), &placedText)) {
        const fs::path placed = fs::absolute(toPath(placedText), error);
        if (isInTrash(placed))
            return Discarded::Trashed;
        // Where no trash folder can be made, Qt moves the entry into a
        // "files" folder of the working folder: it goes back, to be deleted.
        fs::rename(placed, path, error);
        if (error)
            return deleteTree(placed) ? Discarded::Deleted : Discarded::Failed;
    }
    return deleteTree(path) ? Discarded::Deleted : Discarded::Failed;
}

fs::path FileSystem::findEntryIgnoringCase(const fs::path& folder, const fs::path& name) {
    std::error_code error;
    if (fs::exists(folder / name, error))
        return folder / name;
    const QString wanted = pathText(name);
    fs::directory_iterator it(folder, error);
    if (error)
        return {};
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            return {};
        const fs::path entryName = it->path().filename();
        if (QString::compare(pathText(entryName), wanted, Qt::CaseInsensitive) == 0)
            return it->path();
    }
    return {};
}

fs::path FileSystem::resolveIgnoringCase(const fs::path& base, const fs::path& relative) {
    fs::path resolved = base;
    bool matching = true;
    for (const fs::path& component : relative) {
        if (component.empty() || component == ".")
            continue;
        if (matching && component != "..") {
            const fs::path found = findEntryIgnoringCase(resolved, component);
            if (!found.empty()) {
                resolved = found;
                continue;
            }
            matching = false;
        }
        resolved /= component;
    }
    return resolved;
}

} // namespace plenfox::util
