#include "client/model/wow/ZippedWowAddonPackage.h"

#include "client/model/App.h"
#include "client/model/wow/TocFile.h"
#include "client/model/wow/ZipInfo.h"
#include "client/model/wow/ZipTreeWriter.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <system_error>

namespace plenfox::client::wow {

using util::pathText;

namespace fs = std::filesystem;

namespace {

// Components that some file systems read as ".." (trailing dots and blanks
// are dropped there) or that name nothing: only dots and blanks, except ".".
bool isDotsOnly(QStringView part) {
    if (part == u".")
        return false;
    for (const QChar c : part)
        if (c != QLatin1Char('.') && c != QLatin1Char(' '))
            return false;
    return true;
}

// Windows opens a device, not a file, for these names in any folder, with
// any extension and in any case ("nul.lua", "Aux", "com1.txt").
bool isDeviceName(QStringView part) {
    QStringView stem = part.left(part.indexOf(QLatin1Char('.')));
    while (stem.endsWith(QLatin1Char(' ')))
        stem.chop(1);
    static const QStringList Devices = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                        QStringLiteral("AUX"), QStringLiteral("NUL")};
    for (const QString& device : Devices)
        if (stem.compare(device, Qt::CaseInsensitive) == 0)
            return true;
    if (stem.size() != 4)
        return false;
    const QStringView port = stem.left(3);
    const bool numbered = port.compare(QLatin1String("COM"), Qt::CaseInsensitive) == 0 ||
                          port.compare(QLatin1String("LPT"), Qt::CaseInsensitive) == 0;
    // Superscript one to three count as digits there, too.
    const char16_t digit = stem.at(3).unicode();
    return numbered && ((digit >= u'0' && digit <= u'9') || digit == u'\u00B9' ||
                        digit == u'\u00B2' || digit == u'\u00B3');
}

std::shared_ptr<const TocFile> readToc(const ZipInfo& info, const ZipInfo::Entry& entry,
                                       std::vector<char>& buffer) {
    try {
        if (entry.size > ZippedWowAddonPackage::MaxTocBytes)
            throw util::IoError(QStringLiteral("TOC entry larger than ") +
                                QString::number(ZippedWowAddonPackage::MaxTocBytes) +
                                QStringLiteral(" bytes [") + entry.name + QLatin1Char(']'));
        QByteArray bytes;
        bytes.reserve(static_cast<qsizetype>(entry.size));
        info.readEntry(entry, buffer, [&bytes](const char* data, std::size_t length) {
            bytes.append(data, static_cast<qsizetype>(length));
        });
        return std::make_shared<const TocFile>(entry.name, bytes);
    } catch (const util::IoError& error) {
        App::log(error);
        return TocFile::empty();
    }
}

} // namespace

ZippedWowAddonPackage::ZippedWowAddonPackage(fs::path file) : file(std::move(file)) {}

ZippedWowAddonPackage::ZippedWowAddonPackage(fs::path file, TocSelector selector)
    : file(std::move(file)), selector(std::move(selector)) {}

ZippedWowAddonPackage::~ZippedWowAddonPackage() = default;

void ZippedWowAddonPackage::parse() {
    std::lock_guard guard(lock);
    parseLocked();
}

bool ZippedWowAddonPackage::validate() {
    std::lock_guard guard(lock);
    parseLocked();
    return validated;
}

int ZippedWowAddonPackage::size() {
    std::lock_guard guard(lock);
    parseLocked();
    return static_cast<int>(addons.size());
}

std::vector<std::shared_ptr<model::Addon>> ZippedWowAddonPackage::getAddons() {
    std::lock_guard guard(lock);
    parseLocked();
    return {addons.begin(), addons.end()};
}

std::shared_ptr<ZippedWowAddon> ZippedWowAddonPackage::getAddon(int index) {
    std::lock_guard guard(lock);
    parseLocked();
    if (index < 0)
        throw std::out_of_range("negative addon index");
    return addons.at(static_cast<std::size_t>(index));
}

QString ZippedWowAddonPackage::getPackageName() const {
    return pathText(file.filename());
}

void ZippedWowAddonPackage::parseLocked() {
    if (parsed)
        return;
    ZipInfo info(file);
    std::vector<char> buffer(CopyBufferSize);
    // One addon per top-level folder, in the order of its first TOC; each
    // reads the TOC the flavour loads.
    QStringList folders;
    QHash<QString, std::vector<const ZipInfo::Entry*>> tocsOf;
    for (const ZipInfo::Entry& toc : info.getTocFiles()) {
        const QString folder = toc.name.left(toc.name.indexOf(QLatin1Char('/')));
        if (!tocsOf.contains(folder))
            folders << folder;
        tocsOf[folder].push_back(&toc);
    }
    std::vector<std::shared_ptr<ZippedWowAddon>> found;
    for (const QString& folder : folders) {
        const std::vector<const ZipInfo::Entry*>& tocs = tocsOf[folder];
        QStringList fileNames;
        for (const ZipInfo::Entry* toc : tocs)
            fileNames << toc->name.mid(folder.size() + 1);
        const std::optional<TocSelector::Choice> choice = selector.choose(folder, fileNames);
        const qsizetype chosen = choice ? fileNames.indexOf(choice->fileName) : 0;
        found.push_back(std::make_shared<ZippedWowAddon>(
            folder, readToc(info, *tocs[static_cast<std::size_t>(chosen)], buffer),
            !choice || choice->forFlavour));
    }
    info.close();
    validated = !info.getTocFiles().empty() && info.getFilesInRoot().empty();
    addons = std::move(found);
    parsed = true;
}

bool ZippedWowAddonPackage::isSafeEntryName(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char(':')) || name.contains(QChar(u'\0')))
        return false;
    if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')))
        return false;
    // Count the depth below the folder; Windows also splits at "\".
    int depth = 0;
    qsizetype start = 0;
    while (start <= name.size()) {
        qsizetype end = start;
        while (end < name.size() && name[end] != QLatin1Char('/') && name[end] != QLatin1Char('\\'))
            ++end;
        const QStringView part = QStringView(name).mid(start, end - start);
        if (isDeviceName(part))
            return false;
        if (part == u"..") {
            if (--depth < 0)
                return false;
        } else if (isDotsOnly(part)) {
            if (!part.isEmpty())
                return false;
        } else if (part != u".") {
            ++depth;
        }
        start = end + 1;
    }
    return true;
}

void ZippedWowAddonPackage::logExtract(const QString& message) const {
    App::log(QStringLiteral("class ") + QualifiedName + QStringLiteral(".extractTo: ") + message);
}

bool ZippedWowAddonPackage::isExtractable(const ZipInfo& info) const {
    std::uint64_t total = 0;
    for (const ZipInfo::Entry& entry : info.getEntries()) {
        if (!isSafeEntryName(entry.name)) {
            logExtract(QStringLiteral("Refusing package [") + getPackageName() +
                       QStringLiteral("], unsafe entry name [") + entry.name + QLatin1Char(']'));
            return false;
        }
        if (entry.symbolicLink) {
            logExtract(QStringLiteral("Refusing package [") + getPackageName() +
                       QStringLiteral("], symbolic link entry [") + entry.name + QLatin1Char(']'));
            return false;
        }
        total += entry.size;
        if (entry.size > MaxExtractedBytes || total > MaxExtractedBytes) {
            logExtract(QStringLiteral("Refusing package [") + getPackageName() +
                       QStringLiteral("], entries expand to more than [") +
                       QString::number(MaxExtractedBytes) + QStringLiteral("] bytes"));
            return false;
        }
    }
    return true;
}

bool ZippedWowAddonPackage::extractTo(const fs::path& folder) {
    try {
        ZipInfo info(file);
        // The scan has logged why the archive could not be read.
        if (!info.isReadable() || !isExtractable(info))
            return false;

        const bool written = ZipTreeWriter::write(
            info, folder, [this](const QString& message) { logExtract(message); });
        info.close();
        return written;
    } catch (const util::IoError& error) {
        App::log(error);
        return false;
    }
}

} // namespace plenfox::client::wow
