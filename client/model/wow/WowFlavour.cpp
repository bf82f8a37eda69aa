#include "client/model/wow/WowFlavour.h"

#include "lib/util/Paths.h"

#include <QHash>
#include <system_error>

namespace plenfox::client::wow {

namespace fs = std::filesystem;

namespace {

// Flavour folders, their product codes and the names players know them by.
struct Known {
    const char16_t* folder;
    const char16_t* product;
    const char16_t* name;
};
constexpr Known KnownFlavours[] = {
    {u"_retail_", u"wow", u"Retail"},
    {u"_ptr_", u"wowt", u"PTR"},
    {u"_xptr_", u"wowxptr", u"Experimental PTR"},
    {u"_beta_", u"wow_beta", u"Beta"},
    {u"_classic_", u"wow_classic", u"Classic"},
    {u"_classic_era_", u"wow_classic_era", u"Classic Era"},
    {u"_classic_ptr_", u"wow_classic_ptr", u"Classic PTR"},
    {u"_classic_beta_", u"wow_classic_beta", u"Classic Beta"},
    {u"_classic_era_ptr_", u"wow_classic_era_ptr", u"Classic Era PTR"},
    {u"_anniversary_", u"wow_anniversary", u"Anniversary"},
};

const Known* knownByFolder(const QString& folder) {
    for (const Known& known : KnownFlavours)
        if (QString::compare(QString::fromUtf16(known.folder), folder, Qt::CaseInsensitive) == 0)
            return &known;
    return nullptr;
}

const Known* knownByProduct(const QString& product) {
    for (const Known& known : KnownFlavours)
        if (QString::compare(QString::fromUtf16(known.product), product, Qt::CaseInsensitive) == 0)
            return &known;
    return nullptr;
}

// "_classic_new_" -> "Classic New".
QString wordsOf(const QString& folder) {
    QStringList words;
    for (QString word : folder.split(u'_', Qt::SkipEmptyParts)) {
        word[0] = word[0].toUpper();
        words << word;
    }
    return words.join(u' ');
}

} // namespace

const QStringList& WowFlavour::executableNames() {
    static const QStringList names = {
        QStringLiteral("wow.exe"),         QStringLiteral("wowt.exe"),
        QStringLiteral("wowb.exe"),        QStringLiteral("wowclassic.exe"),
        QStringLiteral("wowclassict.exe"), QStringLiteral("wowclassicb.exe"),
        QStringLiteral("wow-64.exe")};
    return names;
}

bool WowFlavour::isFlavourFolderName(const QString& name) {
    if (name.size() < 3 || !name.startsWith(u'_') || !name.endsWith(u'_'))
        return false;
    for (const QChar c : QStringView(name).mid(1, name.size() - 2))
        if (c.isLetterOrNumber())
            return true;
    return false;
}

fs::path WowFlavour::findExecutable(const fs::path& folder) {
    std::error_code error;
    // The names in the game's own spelling first: one look-up each.
    for (const char* name : {"Wow.exe", "WowClassic.exe", "wow.exe"}) {
        const fs::path exact = folder / name;
        if (fs::is_regular_file(exact, error))
            return exact;
    }
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const QString name = util::pathText(it->path().filename()).toLower();
        if (executableNames().contains(name) && it->is_regular_file(error))
            return it->path();
    }
    return {};
}

QString WowFlavour::productForFolder(const QString& folderName) {
    if (const Known* known = knownByFolder(folderName))
        return QString::fromUtf16(known->product);
    return QString();
}

int WowFlavour::sortRank(const QString& folderName) {
    const Known* known = knownByFolder(folderName);
    return known ? static_cast<int>(known - KnownFlavours)
                 : static_cast<int>(std::size(KnownFlavours));
}

WowFlavour::WowFlavour(fs::path folder, QString folderName, fs::path executable, QString product,
                       QString version)
    : gameFolder(std::move(folder)), name(std::move(folderName)), exe(std::move(executable)),
      productCode(std::move(product)), build(std::move(version)) {}

bool WowFlavour::isClassic() const {
    if (!productCode.isEmpty())
        return productCode.contains(QStringLiteral("classic"), Qt::CaseInsensitive) ||
               productCode.contains(QStringLiteral("anniversary"), Qt::CaseInsensitive);
    if (!exe.empty())
        return util::pathText(exe.filename())
            .contains(QStringLiteral("classic"), Qt::CaseInsensitive);
    return name.contains(QStringLiteral("classic"), Qt::CaseInsensitive) ||
           name.contains(QStringLiteral("anniversary"), Qt::CaseInsensitive);
}

std::optional<int> WowFlavour::majorVersion() const {
    bool ok = false;
    const int major = build.section(u'.', 0, 0).toInt(&ok);
    return ok && major > 0 ? std::optional<int>(major) : std::nullopt;
}

std::optional<int> WowFlavour::interfaceNumber() const {
    const QStringList parts = build.split(u'.');
    if (parts.size() < 3)
        return std::nullopt;
    int numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        numbers[i] = parts[i].toInt(&ok);
        if (!ok || numbers[i] < 0 || (i > 0 && numbers[i] > 99) || numbers[i] > 9999)
            return std::nullopt;
    }
    return numbers[0] * 10000 + numbers[1] * 100 + numbers[2];
}

QString WowFlavour::displayName() const {
    if (const Known* known = knownByProduct(productCode))
        return QString::fromUtf16(known->name);
    if (const Known* known = knownByFolder(name))
        return QString::fromUtf16(known->name);
    if (!name.isEmpty())
        return wordsOf(name);
    if (!productCode.isEmpty())
        return productCode;
    return QStringLiteral("World of Warcraft");
}

QString WowFlavour::label() const {
    return build.isEmpty() ? displayName() : displayName() + QLatin1Char(' ') + build;
}

bool WowFlavour::sameFolder(const QString& otherFolderName) const {
    return QString::compare(name, otherFolderName, Qt::CaseInsensitive) == 0;
}

} // namespace plenfox::client::wow
