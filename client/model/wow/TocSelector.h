#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

namespace plenfox::client::wow {

class WowFlavour;

// Which of an addon folder's TOC files a game client loads. An addon folder
// "Name" may hold one TOC per flavour: "Name_Mainline.toc" (retail, PTR,
// beta), "Name_Vanilla.toc", "Name_TBC.toc", "Name_Wrath.toc",
// "Name_Cata.toc", "Name_Mists.toc" (the classic clients of those game
// versions), "Name_Classic.toc" (any classic client), the older dash forms
// "Name-Mainline.toc", "Name-Classic.toc", "Name-BCC.toc", "Name-WOTLKC.toc",
// and the plain "Name.toc" that every client falls back to. Names are
// compared ignoring letter case.
class TocSelector {
public:
    struct Choice {
        QString fileName;       // as the folder spells it
        bool forFlavour = true; // false: only other clients load it
    };

    // No client known: every TOC counts, the plain one first.
    TocSelector();
    // The client of this flavour: a classic one picks its suffix from its
    // game version (the era client is 1.x), never from its folder's name.
    explicit TocSelector(const WowFlavour& flavour);
    static TocSelector mainline();
    static TocSelector classic(std::optional<int> majorVersion);

    // Whether the file is a TOC named after the folder, with one of the
    // known suffixes or none.
    static bool isTocOf(const QString& folder, const QString& fileName);
    // The TOC this client loads from the folder's file names; when it loads
    // none, the TOC another client would (forFlavour false); absent when no
    // file is a TOC named after the folder.
    std::optional<Choice> choose(const QString& folder, const QStringList& fileNames) const;
    // The same for a folder on disk; absent also when it cannot be listed.
    std::optional<Choice> choose(const std::filesystem::path& folder, const QString& name) const;

private:
    explicit TocSelector(QStringList order) : order(std::move(order)) {}

    // The suffixes this client tries, in its order, ending with "".
    QStringList order;
};

} // namespace plenfox::client::wow
