#include "client/model/wow/TocSelector.h"

#include "client/model/wow/WowFlavour.h"
#include "lib/util/Paths.h"

#include <string>
#include <system_error>
#include <vector>

namespace plenfox::client::wow {

namespace fs = std::filesystem;

namespace {

const QString TocExtension = QStringLiteral(".toc");

// Every known suffix, in the order a TOC is shown when no client loads it
// (and the order used when no client is known).
const QStringList& anyOrder() {
    static const QStringList order = {
        QString(),
        QStringLiteral("_Mainline"),
        QStringLiteral("-Mainline"),
        QStringLiteral("_Classic"),
        QStringLiteral("-Classic"),
        QStringLiteral("_Vanilla"),
        QStringLiteral("_TBC"),
        QStringLiteral("-BCC"),
        QStringLiteral("_Wrath"),
        QStringLiteral("-WOTLKC"),
        QStringLiteral("_Cata"),
        QStringLiteral("_Mists"),
    };
    return order;
}

// The suffix of a classic client's own game version.
QString expansionSuffix(int major) {
    switch (major) {
    case 1:
        return QStringLiteral("_Vanilla");
    case 2:
        return QStringLiteral("_TBC");
    case 3:
        return QStringLiteral("_Wrath");
    case 4:
        return QStringLiteral("_Cata");
    case 5:
        return QStringLiteral("_Mists");
    default:
        return QString();
    }
}

// The dash form of the classic clients that had one.
QString classicDashSuffix(std::optional<int> major) {
    if (!major || *major == 1)
        return QStringLiteral("-Classic");
    if (*major == 2)
        return QStringLiteral("-BCC");
    if (*major == 3)
        return QStringLiteral("-WOTLKC");
    return QString();
}

} // namespace

TocSelector::TocSelector() : order(anyOrder()) {}

TocSelector::TocSelector(const WowFlavour& flavour)
    : TocSelector(flavour.isClassic() ? classic(flavour.majorVersion()) : mainline()) {}

TocSelector TocSelector::mainline() {
    return TocSelector(
        QStringList{QStringLiteral("_Mainline"), QStringLiteral("-Mainline"), QString()});
}

TocSelector TocSelector::classic(std::optional<int> major) {
    QStringList order;
    if (major && !expansionSuffix(*major).isEmpty())
        order << expansionSuffix(*major);
    order << QStringLiteral("_Classic");
    if (const QString dash = classicDashSuffix(major); !dash.isEmpty())
        order << dash;
    order << QString();
    return TocSelector(std::move(order));
}

bool TocSelector::isTocOf(const QString& folder, const QString& fileName) {
    if (fileName.size() <= folder.size() + TocExtension.size() - 1 ||
        !fileName.startsWith(folder, Qt::CaseInsensitive) ||
        !fileName.endsWith(TocExtension, Qt::CaseInsensitive))
        return false;
    const QStringView suffix = QStringView(fileName).mid(
        folder.size(), fileName.size() - folder.size() - TocExtension.size());
    for (const QString& known : anyOrder())
        if (suffix.compare(known, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

std::optional<TocSelector::Choice> TocSelector::choose(const QString& folder,
                                                       const QStringList& fileNames) const {
    // The suffix of each TOC named after the folder, as a view of its name.
    std::vector<std::pair<QStringView, qsizetype>> suffixes;
    for (qsizetype i = 0; i < fileNames.size(); ++i) {
        const QString& fileName = fileNames[i];
        if (fileName.size() < folder.size() + TocExtension.size() ||
            !fileName.startsWith(folder, Qt::CaseInsensitive) ||
            !fileName.endsWith(TocExtension, Qt::CaseInsensitive))
            continue;
        suffixes.emplace_back(
            QStringView(fileName).mid(folder.size(),
                                      fileName.size() - folder.size() - TocExtension.size()),
            i);
    }
    const auto find = [&](const QStringList& wanted) -> std::optional<QString> {
        for (const QString& suffix : wanted)
            for (const auto& [candidate, index] : suffixes)
                if (candidate.compare(suffix, Qt::CaseInsensitive) == 0)
                    return fileNames[index];
        return std::nullopt;
    };
    if (const std::optional<QString> own = find(order))
        return Choice{*own, true};
    if (const std::optional<QString> other = find(anyOrder()))
        return Choice{*other, false};
    return std::nullopt;
}

namespace {

// Whether a file name ends in ".toc", in any letter case, read from the
// system's own encoding of the name so that other files cost no conversion.
template <typename Char> bool hasTocExtension(const std::basic_string<Char>& name) {
    if (name.size() < 4)
        return false;
    const Char* end = name.data() + name.size() - 4;
    const auto lower = [](Char c) { return c >= 'A' && c <= 'Z' ? Char(c - 'A' + 'a') : c; };
    return end[0] == '.' && lower(end[1]) == 't' && lower(end[2]) == 'o' && lower(end[3]) == 'c';
}

} // namespace

std::optional<TocSelector::Choice> TocSelector::choose(const fs::path& folder,
                                                       const QString& name) const {
    QStringList fileNames;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!hasTocExtension(it->path().native()) || !it->is_regular_file(error))
            continue;
        fileNames << util::pathText(it->path().filename());
    }
    if (error)
        return std::nullopt;
    return choose(name, fileNames);
}

} // namespace plenfox::client::wow
