#include "client/model/downloads/RecognizedItem.h"

#include "client/model/Client.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/downloads/DownloadItem.h"
#include "client/model/downloads/DownloadSourceManager.h"
#include "client/model/wow/ZippedWowAddon.h"
#include "client/model/wow/ZippedWowAddonPackage.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

#include <QFileInfo>

namespace plenfox::client::model {

namespace {

// One piece of a date or time format: a run of one pattern letter, or text
// copied as it stands (separators and quoted literals).
struct FormatToken {
    QString text;
    QChar field; // the pattern letter, or null for literal text
};

std::vector<FormatToken> tokenize(const QString& format) {
    std::vector<FormatToken> tokens;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        qsizetype end = i + 1;
        if (c == QLatin1Char('\'')) {
            // A quoted literal runs to the next quote ('' is a quote sign).
            while (end < format.size() && format[end] != QLatin1Char('\''))
                ++end;
            end = std::min(end + 1, format.size());
            tokens.push_back({format.mid(i, end - i), QChar()});
        } else if (c.isLetter()) {
            while (end < format.size() && format[end] == c)
                ++end;
            tokens.push_back({format.mid(i, end - i), c});
        } else {
            while (end < format.size() && !format[end].isLetter() &&
                   format[end] != QLatin1Char('\''))
                ++end;
            tokens.push_back({format.mid(i, end - i), QChar()});
        }
        i = end;
    }
    return tokens;
}

// Drops the fields for which `drop` holds, each with the separator that
// joins it to the rest: the one after it, or the one before it at the end.
template <typename Drop> QString dropFields(const QString& format, Drop drop) {
    std::vector<FormatToken> tokens = tokenize(format);
    for (std::size_t i = 0; i < tokens.size();) {
        if (tokens[i].field.isNull() || !drop(tokens[i])) {
            ++i;
            continue;
        }
        const bool literalAfter = i + 1 < tokens.size() && tokens[i + 1].field.isNull() &&
                                  !tokens[i + 1].text.startsWith(QLatin1Char('\''));
        const bool literalBefore =
            i > 0 && tokens[i - 1].field.isNull() && !tokens[i - 1].text.startsWith('\'');
        if (literalAfter && i + 2 < tokens.size()) {
            tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i),
                         tokens.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        } else if (literalBefore) {
            tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i) - 1,
                         tokens.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            --i;
        } else {
            tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    QString result;
    for (const FormatToken& token : tokens)
        result += token.text;
    return result.trimmed();
}

} // namespace

QString RecognizedItem::mediumDateFormat(const QLocale& locale) {
    // The long form without the weekday and with the month's short name.
    QString format = dropFields(locale.dateFormat(QLocale::LongFormat), [](const FormatToken& t) {
        return t.field == QLatin1Char('d') && t.text.size() >= 3;
    });
    format.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    return format;
}

QString RecognizedItem::mediumTimeFormat(const QLocale& locale) {
    // The long form (with seconds) without the time zone.
    return dropFields(locale.timeFormat(QLocale::LongFormat),
                      [](const FormatToken& t) { return t.field == QLatin1Char('t'); });
}

QString RecognizedItem::formatDate(const QDateTime& time, const QLocale& locale) {
    return locale.toString(time, mediumDateFormat(locale)) + QLatin1Char(' ') +
           locale.toString(time, mediumTimeFormat(locale));
}

RecognizedItem::RecognizedItem(Client& client, std::shared_ptr<DownloadItem> item,
                               std::shared_ptr<wow::ZippedWowAddonPackage> pack)
    : addonManager(client.getAddonManager().get()),
      sourceManager(client.getDownloadSourceManager().get()), item(std::move(item)),
      pack(std::move(pack)) {
    if (!this->item || !this->pack)
        throw util::IllegalArgumentError(QStringLiteral("recognized item without download"));
}

RecognizedItem::~RecognizedItem() = default;

void RecognizedItem::parse() {
    if (recognized)
        return;
    date = QStringLiteral("");
    const QDateTime modified = QFileInfo(util::pathText(item->getFile())).lastModified();
    if (modified.isValid() && modified.toMSecsSinceEpoch() != 0)
        date = formatDate(modified, QLocale::system());

    pack->parse();
    wowAddon = pack->validate();
    if (!wowAddon) {
        recognized = true;
        return;
    }
    documentUrl = sourceManager ? sourceManager->get(*item) : QString();
    const std::vector<std::shared_ptr<Addon>> packageAddons = pack->getAddons();
    totalAddons = static_cast<int>(packageAddons.size());
    allAddonsInstalled = true;
    const QString packageName = util::pathText(item->getFile().filename());
    for (const auto& addon : packageAddons) {
        const QString name = addon->getName();
        const QString version = addon->getVersion().getVersionName();
        const bool isInstalled = addonManager && addonManager->isInstalled(name, version);
        addons.emplace_back(name, packageName, version, isInstalled, documentUrl);
        if (isInstalled)
            ++installed;
        else
            allAddonsInstalled = false;
    }
    for (int i = 0; i < totalAddons; ++i)
        if (!pack->getAddon(i)->isForFlavour())
            ++notForFlavour;
    recognized = true;
}

void RecognizedItem::cache() {
    std::lock_guard guard(lock);
    parse();
}

std::vector<AddonMetadata> RecognizedItem::getAddonInfo() {
    return parsed(addons);
}

bool RecognizedItem::getAllAddonsInstalled() {
    return parsed(allAddonsInstalled);
}

QString RecognizedItem::getDateString() {
    return parsed(date);
}

QString RecognizedItem::getDocumentUrl() {
    return parsed(documentUrl);
}

int RecognizedItem::getInstalledCount() {
    return parsed(installed);
}

int RecognizedItem::getAddonsNotForFlavour() {
    return parsed(notForFlavour);
}

int RecognizedItem::getTotalAddons() {
    return parsed(totalAddons);
}

bool RecognizedItem::isWowAddon() {
    return parsed(wowAddon);
}

bool RecognizedItem::isInstalling() const {
    std::lock_guard guard(lock);
    return installing;
}

bool RecognizedItem::beginInstalling() {
    std::lock_guard guard(lock);
    if (installing)
        return false;
    installing = true;
    return true;
}

void RecognizedItem::endInstalling() {
    std::lock_guard guard(lock);
    if (!installing)
        throw util::IllegalStateError(QStringLiteral("endInstalling without beginInstalling [") +
                                      util::pathText(item->getFile()) + QLatin1Char(']'));
    installing = false;
}

QString RecognizedItem::toString() const {
    return util::Object::toString() + QLatin1Char('[') + util::pathText(item->getFile()) +
           QLatin1Char(']');
}

} // namespace plenfox::client::model
