#include "platform/WineRegistry.h"

#include "platform/WineSectionFinder.h"
#include "platform/WineValueParser.h"

namespace plenfox::platform {

namespace fs = std::filesystem;

std::unique_ptr<WineRegistry> WineRegistry::read(const fs::path& path, QString& problem,
                                                 qint64 limit) {
    std::optional<WineRegistryFile> file = WineRegistryFile::open(path, problem, limit);
    if (!file)
        return nullptr;
    return std::unique_ptr<WineRegistry>(new WineRegistry(std::move(*file)));
}

WineRegistry::WineRegistry(QByteArray contents) : text(std::move(contents)) {}

WineRegistry::WineRegistry(WineRegistryFile file) : file(std::move(file)) {}

QStringList WineRegistry::viewsOf(const QString& key) {
    static const QString Software = QStringLiteral("software\\");
    static const QString Redirected = QStringLiteral("wow6432node\\");
    QString normalized = key;
    normalized.replace(u'/', u'\\');
    if (normalized.startsWith(Software, Qt::CaseInsensitive) &&
        !normalized.mid(Software.size()).startsWith(Redirected, Qt::CaseInsensitive) &&
        normalized.mid(Software.size())
                .compare(QStringLiteral("wow6432node"), Qt::CaseInsensitive) != 0)
        return {normalized.left(Software.size()) + QStringLiteral("Wow6432Node\\") +
                    normalized.mid(Software.size()),
                normalized};
    return {normalized};
}

std::vector<std::optional<WineRegistry::Section>>
WineRegistry::sectionsOf(const QStringList& keys) const {
    std::lock_guard guard(lock);
    QStringList unknown;
    for (const QString& key : keys)
        if (!known.contains(key.toLower()))
            unknown << key;
    if (!unknown.isEmpty()) {
        const std::vector<std::optional<Section>> found = search(unknown);
        for (qsizetype i = 0; i < unknown.size(); ++i)
            known.insert(unknown[i].toLower(), found[size_t(i)]);
    }
    std::vector<std::optional<Section>> sections;
    for (const QString& key : keys)
        sections.push_back(known.value(key.toLower()));
    return sections;
}

std::vector<std::optional<WineRegistry::Section>>
WineRegistry::search(const QStringList& keys) const {
    return file ? file->sectionsOf(keys) : WineSectionFinder::find(text, keys);
}

bool WineRegistry::keyExists(const QString& key) const {
    for (const std::optional<Section>& section : sectionsOf(viewsOf(key)))
        if (section)
            return true;
    return false;
}

std::optional<Registry::Value> WineRegistry::readValue(const QString& key,
                                                       const QString& valueName) const {
    for (const std::optional<Section>& section : sectionsOf(viewsOf(key))) {
        if (!section)
            continue;
        if (std::optional<Value> value = WineValueParser::find(*section, valueName))
            return value;
    }
    return std::nullopt;
}

} // namespace plenfox::platform
