#pragma once

#include "client/model/updates/AddonMetadata.h"
#include "lib/util/Object.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <memory>
#include <mutex>
#include <vector>

namespace plenfox::client::wow {
class ZippedWowAddonPackage;
}

namespace plenfox::client::model {

class AddonManager;
class Client;
class DownloadItem;
class DownloadSourceManager;

// What one finished download turned out to be: whether it is an addon
// package, which addons it holds and which of them are installed. The
// package is read once, on first demand, under the item's lock; a rebuild
// of the recognizer makes new items rather than updating old ones.
class RecognizedItem : public util::Object {
public:
    // Takes the addon and source managers from the client; the package is
    // not read yet. Throws IllegalArgumentError for a null item or package.
    RecognizedItem(Client& client, std::shared_ptr<DownloadItem> item,
                   std::shared_ptr<wow::ZippedWowAddonPackage> pack);
    ~RecognizedItem() override;

    // These two never read the package.
    std::shared_ptr<DownloadItem> getItem() const { return item; }
    std::shared_ptr<wow::ZippedWowAddonPackage> getPackage() const { return pack; }

    // Each of these reads the package first if that has not happened yet.
    void cache();
    std::vector<AddonMetadata> getAddonInfo();
    bool getAllAddonsInstalled();
    // The file's last-modified time in the user's locale; empty when unknown.
    QString getDateString();
    // The page the download came from, or a null text.
    QString getDocumentUrl();
    int getInstalledCount();
    int getTotalAddons();
    // How many of the addons the current flavour would not load (their TOCs
    // are all for other flavours).
    int getAddonsNotForFlavour();
    bool isWowAddon();

    bool isInstalling() const;
    // False when an installation of this item is already running.
    bool beginInstalling();
    // Ends the installation; throws IllegalStateError when none is running.
    void endInstalling();

    QString toString() const override;

    // A point in time as the download list shows it: the locale's medium
    // date (its long form without the weekday, with the short month name)
    // followed by its medium time (with seconds, without the time zone).
    static QString formatDate(const QDateTime& time, const QLocale& locale);
    static QString mediumDateFormat(const QLocale& locale);
    static QString mediumTimeFormat(const QLocale& locale);

private:
    void parse();
    // A copy of a field, read after the package was parsed, under the lock.
    template <typename T> T parsed(const T& field) {
        std::lock_guard guard(lock);
        parse();
        return field;
    }

    AddonManager* addonManager;
    DownloadSourceManager* sourceManager;
    const std::shared_ptr<DownloadItem> item;
    const std::shared_ptr<wow::ZippedWowAddonPackage> pack;

    mutable std::mutex lock; // guards everything below
    bool recognized = false;
    bool wowAddon = false;
    int totalAddons = 0;
    int installed = 0;
    int notForFlavour = 0;
    bool allAddonsInstalled = false;
    QString date;
    QString documentUrl;
    bool installing = false;
    std::vector<AddonMetadata> addons;
};

} // namespace plenfox::client::model
