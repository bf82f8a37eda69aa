#pragma once

#include "client/model/ClientComponent.h"
#include "client/model/addons/AddonChangeListener.h"
#include "client/model/downloads/DownloadListener.h"
#include "client/model/downloads/DownloadRecognizerListenerAdapter.h"
#include "client/model/updates/AddonMetadata.h"

#include <QString>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace plenfox::client::wow {
class InstalledWowAddon;
}

namespace plenfox::client::model {

class AddonManager;
class DownloadAttributes;
class DownloadManager;
class Downloader;
class EventDispatcher;
class RecognizedItem;

// Decides what a download is: accepts only zip files of a bounded size from
// the browser, reads every finished download as an addon package, and keeps
// one RecognizedItem per download plus a table from installed addons to the
// item holding them. Rebuilds all items after every change of the addon
// folder or the download list.
class DownloadRecognizer : public ClientComponent,
                           public DownloadListener,
                           public AddonChangeListener {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.DownloadRecognizer");
    // Sees addon changes before any other listener.
    static constexpr int AddonListenerPriority = std::numeric_limits<int>::min();
    // Largest download accepted, in bytes (32 MiB).
    static constexpr qint64 MaxContentLength = qint64{32} * 1024 * 1024;

    DownloadRecognizer();
    ~DownloadRecognizer() override;

    bool initialize(Client& client) override;
    void listenerReport() override;
    void shutdown(Client& client) override;

    // Why an offered download is refused. A download of unknown length is
    // taken (many servers send none): the download manager holds it to
    // MaxContentLength while it arrives.
    enum class Refusal { None, NotZip, TooLarge, Empty };

    // A downloader for an accepted download, or null when refused: a zip
    // (by its type, or by its name's ".zip" when the type is a generic
    // binary one) of at most MaxContentLength bytes, or of unknown length.
    std::shared_ptr<Downloader> handleDownload(const DownloadAttributes& attributes);
    static bool recognizeMimeType(const QString& mimeType);
    // A type that tells nothing about the content, as download scripts send.
    static bool isGenericMimeType(const QString& mimeType);
    // Whether an offer would be taken, and if not, why.
    static Refusal check(const DownloadAttributes& attributes);
    // The player's words for a refusal: what was wrong, with the type or the
    // size the site announced.
    static QString refusalText(Refusal refusal, const DownloadAttributes& attributes);

    // The item whose download has the same file, or null.
    std::shared_ptr<RecognizedItem> lookup(const std::shared_ptr<DownloadItem>& item) const;
    // The item holding this installed addon, or null when none is known.
    std::shared_ptr<RecognizedItem>
    lookup(const std::shared_ptr<wow::InstalledWowAddon>& addon) const;
    // A copy of the items, in recognition order.
    std::vector<std::shared_ptr<RecognizedItem>> getRecognizedItems() const;

    void refreshRecognizedItems();
    void reset();

    // DownloadListener
    void beforeRefreshDownloads() override {}
    void afterRefreshDownloads() override;
    void downloadStarted(const std::shared_ptr<DownloadItem>&) override {}
    void downloadProgress(const std::shared_ptr<DownloadItem>&) override {}
    void downloadCompleted(const std::shared_ptr<DownloadItem>& item) override;
    void downloadRemoved(const std::shared_ptr<DownloadItem>& item) override;

    // AddonChangeListener
    void addonInstalled(AddonManager&, const std::shared_ptr<wow::InstalledWowAddon>&) override {}
    void addonRemoved(AddonManager& manager,
                      const std::shared_ptr<wow::InstalledWowAddon>& addon) override;
    // Rebuilds once per installed package.
    void afterPackageInstalled(AddonManager& manager,
                               const std::shared_ptr<AddonPackage>& package) override;
    void afterRefresh(AddonManager& manager) override;
    void beforePackageInstalled(AddonManager&, const std::shared_ptr<AddonPackage>&) override {}
    void beforeRefresh(AddonManager&) override {}

private:
    struct AddonLookupRecord {
        std::shared_ptr<RecognizedItem> recognized;
        AddonMetadata info;
    };

    using LookupTable = std::map<std::shared_ptr<wow::InstalledWowAddon>, AddonLookupRecord>;

    std::shared_ptr<RecognizedItem> recognize(const std::shared_ptr<DownloadItem>& item,
                                              bool notify);
    // Parses the download's package and matches its addons with the
    // installed ones, without the lock: readers keep the last complete state.
    std::shared_ptr<RecognizedItem> parseItem(const std::shared_ptr<DownloadItem>& item,
                                              LookupTable& found) const;
    void invalidate(const std::shared_ptr<DownloadItem>& item);
    std::shared_ptr<wow::InstalledWowAddon> lookupAddon(const AddonMetadata& info) const;
    void post(std::function<void()> task, const QString& description);

    Client* client = nullptr;
    DownloadManager* downloadManager = nullptr;
    AddonManager* addonManager = nullptr;
    DownloadRecognizerListener* listener = nullptr;
    DownloadRecognizerListenerAdapter emptyListener;
    EventDispatcher* dispatcher = nullptr;

    // Guards the list and the table. Held only to read or replace them,
    // never while a package is parsed. Changes come from the dispatcher
    // thread alone, so two of them never overlap.
    mutable std::recursive_mutex lock;
    std::vector<std::shared_ptr<RecognizedItem>> recognized;
    LookupTable addonLookupTable;
};

} // namespace plenfox::client::model
