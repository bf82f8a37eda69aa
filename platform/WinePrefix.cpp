#include "platform/WinePrefix.h"

#include "lib/util/FileSystem.h"
#include "lib/util/Paths.h"

#include <QStringList>
#include <system_error>

namespace plenfox::platform {

namespace fs = std::filesystem;
using util::FileSystem;

WinePrefix::WinePrefix(fs::path root) : folder(std::move(root)) {}

bool WinePrefix::isPrefix(const fs::path& folder) {
    std::error_code error;
    const fs::file_status registry = fs::symlink_status(folder / "system.reg", error);
    if (error || !fs::is_regular_file(registry))
        return false;
    return fs::is_directory(folder / "drive_c", error);
}

fs::path WinePrefix::systemRegistry() const {
    return folder / "system.reg";
}

fs::path WinePrefix::programData() const {
    return FileSystem::resolveIgnoringCase(folder / "drive_c", "ProgramData");
}

std::optional<fs::path> WinePrefix::driveFolder(QChar letter) const {
    const QString name = letter.toLower() + QLatin1Char(':');
    const fs::path link =
        FileSystem::findEntryIgnoringCase(folder / "dosdevices", util::toPath(name));
    std::error_code error;
    if (!link.empty() && fs::is_directory(link, error)) {
        const fs::path target = fs::canonical(link, error);
        return error ? link : target;
    }
    // Prefixes made without the links still have drive C: in place.
    if (letter.toLower() == u'c' && fs::is_directory(folder / "drive_c", error))
        return folder / "drive_c";
    return std::nullopt;
}

std::optional<fs::path> WinePrefix::toLocalPath(const QString& windowsPath,
                                                QString& problem) const {
    QString path = windowsPath;
    path.replace(u'/', u'\\');
    const bool drive = path.size() >= 2 && path[0].unicode() < 0x80 && path[0].isLetter() &&
                       path[1] == u':' && (path.size() == 2 || path[2] == u'\\');
    if (!drive) {
        problem = QStringLiteral("not an absolute path with a drive letter");
        return std::nullopt;
    }
    const std::optional<fs::path> root = driveFolder(path[0]);
    if (!root) {
        problem = QStringLiteral("the prefix has no drive ") + path.left(2);
        return std::nullopt;
    }
    QStringList components;
    for (const QString& component : path.mid(3).split(u'\\', Qt::SkipEmptyParts)) {
        if (component == QStringLiteral("."))
            continue;
        if (component == QStringLiteral("..")) {
            if (components.isEmpty()) {
                problem = QStringLiteral("the path leads out of drive ") + path.left(2);
                return std::nullopt;
            }
            components.removeLast();
            continue;
        }
        components << component;
    }
    fs::path relative;
    for (const QString& component : components)
        relative /= util::toPath(component);
    return FileSystem::resolveIgnoringCase(*root, relative);
}

} // namespace plenfox::platform
