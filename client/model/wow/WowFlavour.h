#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

namespace plenfox::client::wow {

// One game client of an installation: a flavour folder such as "_retail_"
// or "_classic_era_" below the installation's root, or, in the layout of
// older games, the root itself. Its product code and version come from the
// root's ".build.info" (or the folder's ".flavor.info"); without them the
// folder's name and its executable still tell what it is.
class WowFlavour {
public:
    // The game's executables, in lower case.
    static const QStringList& executableNames();
    // Whether a folder name has the form of a flavour folder: "_name_".
    static bool isFlavourFolderName(const QString& name);
    // The executable of the game in the folder (any letter case), or an
    // empty path.
    static std::filesystem::path findExecutable(const std::filesystem::path& folder);
    // The product code a flavour folder stands for when nothing names it
    // ("_retail_" -> "wow", "_classic_era_" -> "wow_classic_era").
    static QString productForFolder(const QString& folderName);
    // The place of a flavour folder in lists: the known ones in the order
    // retail, PTR, ..., classic, ..., then all others.
    static int sortRank(const QString& folderName);

    WowFlavour() = default;
    // folderName is empty for a game folder of the old layout.
    WowFlavour(std::filesystem::path folder, QString folderName, std::filesystem::path executable,
               QString product, QString version);

    const std::filesystem::path& folder() const { return gameFolder; }
    const QString& folderName() const { return name; }
    const std::filesystem::path& executable() const { return exe; }
    // Null when unknown.
    const QString& product() const { return productCode; }
    // The build ("12.1.0.69382"); null when unknown.
    const QString& version() const { return build; }
    // Whether more is known than that the folder is a game: a flavour folder,
    // or a product named by ".build.info". Players are shown known flavours.
    bool isKnown() const { return !name.isEmpty() || !productCode.isEmpty(); }

    // A classic client (era, anniversary, the classic expansions): by its
    // product code, else its executable, else its folder name.
    bool isClassic() const;
    // The first three numbers of the version; absent when unknown.
    std::optional<int> majorVersion() const;
    // The interface number of the version (12.1.0 -> 120100); absent when
    // the version is unknown.
    std::optional<int> interfaceNumber() const;
    // "Retail", "Classic Era", "PTR", ...; for an unnamed old-style folder
    // "World of Warcraft".
    QString displayName() const;
    // The name followed by the version, when known.
    QString label() const;

    // Folder names compared ignoring case.
    bool sameFolder(const QString& otherFolderName) const;

private:
    std::filesystem::path gameFolder;
    QString name;
    std::filesystem::path exe;
    QString productCode;
    QString build;
};

} // namespace plenfox::client::wow
