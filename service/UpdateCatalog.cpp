#include "service/UpdateCatalog.h"

#include "lib/util/Error.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <QXmlStreamWriter>
#include <pugixml.hpp>

namespace plenfox::service {

using util::IllegalArgumentError;

namespace {

QString attribute(const pugi::xml_node& node, const char* name) {
    return QString::fromUtf8(node.attribute(name).value());
}

bool isXmlName(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9._-]*$"));
    return pattern.match(text).hasMatch();
}

// A name usable as a single path element inside a zip and on disk.
bool isPlainFileName(const QString& text) {
    return !text.isEmpty() && text != QStringLiteral(".") && text != QStringLiteral("..") &&
           !text.contains(QLatin1Char('/')) && !text.contains(QLatin1Char('\\')) &&
           !text.contains(QLatin1Char(':'));
}

QString absolutePage(const QString& page, const QString& baseUrl) {
    return page.startsWith(QLatin1Char('/')) ? baseUrl + page : page;
}

QString elementText(const pugi::xml_node& node) {
    return QString::fromUtf8(node.text().get());
}

} // namespace

UpdateCatalog UpdateCatalog::load(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw util::IoError(QStringLiteral("cannot read catalog [") + file + QStringLiteral("]: ") +
                            in.errorString());
    return parse(in.readAll());
}

UpdateCatalog UpdateCatalog::parse(const QByteArray& xml) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(
        xml.constData(), static_cast<size_t>(xml.size()), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed)
        throw IllegalArgumentError(QStringLiteral("malformed catalog: ") +
                                   QString::fromUtf8(parsed.description()));
    const pugi::xml_node root = document.child("catalog");
    if (!root)
        throw IllegalArgumentError(QStringLiteral("catalog root element missing"));

    UpdateCatalog catalog;
    catalog.name = attribute(root, "name");
    if (catalog.name.isEmpty())
        catalog.name = QStringLiteral("Plenfox update service");
    QSet<QString> tagNames;
    QSet<QString> fileNames;
    QSet<QString> addonNames;
    for (const pugi::xml_node& node : root.children()) {
        if (node.type() != pugi::node_element)
            continue;
        const QString element = QString::fromUtf8(node.name());
        if (element == QStringLiteral("tag")) {
            const QString tag = attribute(node, "name");
            if (!(tag.startsWith(QStringLiteral("meta-")) ||
                  tag.startsWith(QStringLiteral("wow-"))) ||
                !isXmlName(tag))
                throw IllegalArgumentError(QStringLiteral("bad tag name [") + tag +
                                           QLatin1Char(']'));
            if (tagNames.contains(tag))
                throw IllegalArgumentError(QStringLiteral("tag listed twice [") + tag +
                                           QLatin1Char(']'));
            tagNames.insert(tag);
            catalog.tags.emplace_back(tag, elementText(node));
        } else if (element == QStringLiteral("package")) {
            Package package;
            package.fileName = attribute(node, "file");
            package.page = attribute(node, "page");
            if (!isPlainFileName(package.fileName) ||
                !package.fileName.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive))
                throw IllegalArgumentError(QStringLiteral("bad package file name [") +
                                           package.fileName + QLatin1Char(']'));
            if (fileNames.contains(package.fileName))
                throw IllegalArgumentError(QStringLiteral("package listed twice [") +
                                           package.fileName + QLatin1Char(']'));
            fileNames.insert(package.fileName);
            for (const pugi::xml_node& entry : node.children("addon")) {
                Addon addon;
                addon.name = attribute(entry, "name");
                addon.version = attribute(entry, "version");
                addon.title = attribute(entry, "title");
                addon.page = attribute(entry, "page");
                if (!isPlainFileName(addon.name))
                    throw IllegalArgumentError(QStringLiteral("bad addon name [") + addon.name +
                                               QLatin1Char(']'));
                if (addonNames.contains(addon.name))
                    throw IllegalArgumentError(QStringLiteral("addon listed twice [") + addon.name +
                                               QLatin1Char(']'));
                addonNames.insert(addon.name);
                if (addon.title.isEmpty())
                    addon.title = addon.name;
                package.addons.push_back(std::move(addon));
            }
            if (package.addons.empty())
                throw IllegalArgumentError(QStringLiteral("package without addons [") +
                                           package.fileName + QLatin1Char(']'));
            catalog.packages.push_back(std::move(package));
        } else {
            throw IllegalArgumentError(QStringLiteral("unknown catalog element [") + element +
                                       QLatin1Char(']'));
        }
    }
    return catalog;
}

const UpdateCatalog::Package* UpdateCatalog::findPackage(const QString& fileName) const {
    for (const Package& package : packages)
        if (package.fileName == fileName)
            return &package;
    return nullptr;
}

const UpdateCatalog::Addon* UpdateCatalog::findAddon(const QString& addonName,
                                                     const Package** owner) const {
    for (const Package& package : packages)
        for (const Addon& addon : package.addons)
            if (addon.name == addonName) {
                if (owner)
                    *owner = &package;
                return &addon;
            }
    return nullptr;
}

QByteArray UpdateCatalog::answerQuery(const QByteArray& queryDocument,
                                      const QString& baseUrl) const {
    pugi::xml_document query;
    const pugi::xml_parse_result parsed =
        query.load_buffer(queryDocument.constData(), static_cast<size_t>(queryDocument.size()),
                          pugi::parse_default, pugi::encoding_utf8);
    if (!parsed)
        throw IllegalArgumentError(QStringLiteral("malformed query: ") +
                                   QString::fromUtf8(parsed.description()));
    const pugi::xml_node wow = query.child("plenfox").child("wow");
    if (!wow)
        throw IllegalArgumentError(QStringLiteral("not a query document"));

    // Names in query order, each once.
    QList<QString> queriedPackages;
    QList<QString> queriedAddons;
    const auto addName = [](QList<QString>& names, const pugi::xml_node& node) {
        const QString text = elementText(node.child("name"));
        if (!text.isEmpty() && !names.contains(text))
            names << text;
    };
    for (const pugi::xml_node& addon : wow.child("addons").children("addon"))
        addName(queriedAddons, addon);
    for (const pugi::xml_node& package : wow.child("packages").children("package")) {
        addName(queriedPackages, package);
        for (const pugi::xml_node& addon : package.child("addons").children("addon"))
            addName(queriedAddons, addon);
    }

    QByteArray answer;
    QXmlStreamWriter writer(&answer);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("plenfox"));
    const auto writeTags = [&](const QString& prefix) {
        writer.writeStartElement(QStringLiteral("tags"));
        for (const auto& [tag, value] : tags)
            if (tag.startsWith(prefix))
                writer.writeTextElement(tag, value);
        writer.writeEndElement();
    };
    writer.writeStartElement(QStringLiteral("meta"));
    writeTags(QStringLiteral("meta-"));
    writer.writeEndElement();
    writer.writeStartElement(QStringLiteral("wow"));
    writeTags(QStringLiteral("wow-"));
    writer.writeStartElement(QStringLiteral("addons"));
    for (const QString& package : queriedPackages)
        if (!findPackage(package))
            writer.writeTextElement(QStringLiteral("newpackage"), package);
    for (const QString& addon : queriedAddons)
        if (!findAddon(addon))
            writer.writeTextElement(QStringLiteral("newaddon"), addon);
    for (const Package& package : packages)
        for (const Addon& addon : package.addons) {
            if (!queriedAddons.contains(addon.name))
                continue;
            writer.writeStartElement(QStringLiteral("addon"));
            writer.writeTextElement(QStringLiteral("name"), addon.name);
            writer.writeTextElement(QStringLiteral("package"), package.fileName);
            writer.writeTextElement(QStringLiteral("version"), addon.version);
            writer.writeTextElement(
                QStringLiteral("url"),
                absolutePage(addon.page.isEmpty() ? package.page : addon.page, baseUrl));
            writer.writeTextElement(QStringLiteral("download-url"),
                                    baseUrl + ZipPath +
                                        QString::fromLatin1(QUrl::toPercentEncoding(package.fileName)));
            writer.writeEndElement();
        }
    writer.writeEndElement(); // addons
    writer.writeEndElement(); // wow
    writer.writeEndElement(); // plenfox
    writer.writeEndDocument();
    return answer;
}

} // namespace plenfox::service
