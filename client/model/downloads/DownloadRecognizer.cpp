#include "client/model/downloads/DownloadRecognizer.h"

#include "client/model/App.h"
#include "client/model/Client.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/downloads/DownloadAttributes.h"
#include "client/model/downloads/DownloadItem.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/downloads/Downloader.h"
#include "client/model/downloads/FileDownloader.h"
#include "client/model/downloads/RecognizedItem.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/WowInstallation.h"
#include "client/model/wow/ZippedWowAddonPackage.h"
#include "lib/util/Error.h"

#include <QLocale>
#include <algorithm>

namespace plenfox::client::model {

namespace {

// Keeps room for this many items when the list is made anew.
constexpr std::size_t InitialCapacity = 10;

} // namespace

DownloadRecognizer::DownloadRecognizer() {
    reset();
}

DownloadRecognizer::~DownloadRecognizer() = default;

bool DownloadRecognizer::initialize(Client& owner) {
    client = &owner;
    dispatcher = owner.getEventDispatcher().get();
    downloadManager = owner.getDownloadManager().get();
    addonManager = owner.getAddonManager().get();
    DownloadRecognizerListener* view = nullptr;
    if (ClientEventHandler* handler = owner.getEventHandler())
        view = handler->getDownloadRecognizerListener();
    listener = view ? view : &emptyListener;
    if (addonManager)
        addonManager->add(AddonListenerPriority, this);
    if (downloadManager)
        downloadManager->addListener(DownloadManager::RecognizerPriority, this);
    return true;
}

void DownloadRecognizer::listenerReport() {
    App::log(Prefix + QStringLiteral(".listenerReport: ") + util::textOf(listener));
}

void DownloadRecognizer::shutdown(Client&) {}

DownloadRecognizer::Refusal DownloadRecognizer::check(const DownloadAttributes& attributes) {
    if (attributes.mimeType.isNull() || attributes.fileName.isNull())
        return Refusal::NotZip;
    // A generic type says nothing: the name's ".zip" decides then.
    const bool zipNamed = isGenericMimeType(attributes.mimeType) &&
                          attributes.fileName.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive);
    if (!recognizeMimeType(attributes.mimeType) && !zipNamed)
        return Refusal::NotZip;
    // An empty download holds no package.
    if (attributes.contentLength == 0)
        return Refusal::Empty;
    if (attributes.contentLength > MaxContentLength)
        return Refusal::TooLarge;
    return Refusal::None;
}

QString DownloadRecognizer::refusalText(Refusal refusal, const DownloadAttributes& attributes) {
    switch (refusal) {
    case Refusal::None:
        break;
    case Refusal::NotZip:
        return QStringLiteral("it is not a zip file (its type is ") +
               (attributes.mimeType.isEmpty() ? QStringLiteral("not given") : attributes.mimeType) +
               QStringLiteral(").");
    case Refusal::TooLarge:
        return QStringLiteral("it is larger than 32 MB (the site announced ") +
               QLocale::c().formattedDataSize(attributes.contentLength, 1,
                                              QLocale::DataSizeTraditionalFormat) +
               QStringLiteral(", ") + QString::number(attributes.contentLength) +
               QStringLiteral(" bytes).");
    case Refusal::Empty:
        return QStringLiteral("the site announced an empty file.");
    }
    return QString();
}

std::shared_ptr<Downloader>
DownloadRecognizer::handleDownload(const DownloadAttributes& attributes) {
    if (check(attributes) != Refusal::None)
        return nullptr;
    if (!downloadManager)
        return nullptr;
    try {
        return downloadManager->createDownloader(attributes);
    } catch (const std::exception& error) {
        // Runs on the browser's thread: a failure refuses the download.
        App::log(error);
        return nullptr;
    }
}

bool DownloadRecognizer::recognizeMimeType(const QString& mimeType) {
    return QString::compare(mimeType, QStringLiteral("application/zip"), Qt::CaseInsensitive) ==
               0 ||
           QString::compare(mimeType, QStringLiteral("application/x-zip-compressed"),
                            Qt::CaseInsensitive) == 0;
}

bool DownloadRecognizer::isGenericMimeType(const QString& mimeType) {
    for (const char* generic :
         {"application/octet-stream", "binary/octet-stream", "application/force-download"})
        if (QString::compare(mimeType, QLatin1String(generic), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

std::shared_ptr<RecognizedItem>
DownloadRecognizer::lookup(const std::shared_ptr<DownloadItem>& item) const {
    if (!item)
        return nullptr;
    std::lock_guard guard(lock);
    for (const auto& entry : recognized)
        if (DownloadItem::sameFile(entry->getItem()->getFile(), item->getFile()))
            return entry;
    return nullptr;
}

std::shared_ptr<RecognizedItem>
DownloadRecognizer::lookup(const std::shared_ptr<wow::InstalledWowAddon>& addon) const {
    std::lock_guard guard(lock);
    const auto found = addonLookupTable.find(addon);
    return found == addonLookupTable.end() ? nullptr : found->second.recognized;
}

std::vector<std::shared_ptr<RecognizedItem>> DownloadRecognizer::getRecognizedItems() const {
    std::lock_guard guard(lock);
    return recognized;
}

void DownloadRecognizer::reset() {
    std::lock_guard guard(lock);
    recognized = {};
    recognized.reserve(InitialCapacity);
    addonLookupTable = {};
}

void DownloadRecognizer::refreshRecognizedItems() {
    App::log(Prefix + QStringLiteral(".refreshRecognizedItems"));
    post([this] { listener->beforeRefreshRecognized(); },
         QStringLiteral("beforeRefreshRecognized"));
    std::vector<std::shared_ptr<RecognizedItem>> rebuilt;
    rebuilt.reserve(InitialCapacity);
    LookupTable table;
    if (downloadManager)
        for (const auto& item : downloadManager->getDownloads())
            // A download still arriving is a partial archive; it is
            // recognized once it completes.
            if (!item->inProgress())
                rebuilt.push_back(parseItem(item, table));
    {
        std::lock_guard guard(lock);
        recognized = std::move(rebuilt);
        addonLookupTable = std::move(table);
    }
    post([this] { listener->afterRefreshRecognized(); }, QStringLiteral("afterRefreshRecognized"));
    App::log(Prefix + QStringLiteral(".refreshRecognizedItems complete"));
}

std::shared_ptr<RecognizedItem>
DownloadRecognizer::parseItem(const std::shared_ptr<DownloadItem>& item, LookupTable& found) const {
    // The package's addons show the TOCs the current flavour loads.
    wow::WowInstallation* wow = client->getWow();
    auto added = std::make_shared<RecognizedItem>(
        *client, item,
        std::make_shared<wow::ZippedWowAddonPackage>(item->getFile(), wow ? wow->tocSelector()
                                                                          : wow::TocSelector()));
    added->cache();
    for (const AddonMetadata& info : added->getAddonInfo()) {
        const QString described = QLatin1Char('[') + info.getName() + QLatin1Char(',') +
                                  info.getVersion() + QLatin1Char(']');
        if (std::shared_ptr<wow::InstalledWowAddon> addon = lookupAddon(info)) {
            App::log(Prefix + QStringLiteral(".recognize: associated addon ") + described);
            found.insert_or_assign(addon, AddonLookupRecord{added, info});
        } else {
            App::log(Prefix + QStringLiteral(".recognize: unable to find addon ") + described);
        }
    }
    return added;
}

std::shared_ptr<RecognizedItem>
DownloadRecognizer::recognize(const std::shared_ptr<DownloadItem>& item, bool notify) {
    LookupTable found;
    std::shared_ptr<RecognizedItem> added = parseItem(item, found);
    {
        std::lock_guard guard(lock);
        for (auto entry = recognized.begin(); entry != recognized.end();) {
            if (DownloadItem::sameFile((*entry)->getItem()->getFile(), item->getFile())) {
                std::shared_ptr<RecognizedItem> removed = *entry;
                entry = recognized.erase(entry);
                post([this, removed] { listener->onRecognizedItemRemoved(removed); },
                     QStringLiteral("onRecognizedItemRemoved"));
            } else {
                ++entry;
            }
        }
        recognized.push_back(added);
        for (auto& [addon, record] : found)
            addonLookupTable.insert_or_assign(addon, std::move(record));
    }
    if (notify)
        post([this, added] { listener->onRecognized(added); }, QStringLiteral("onRecognized"));
    return added;
}

void DownloadRecognizer::invalidate(const std::shared_ptr<DownloadItem>& item) {
    if (!item)
        return;
    std::lock_guard guard(lock);
    const auto entry = std::find_if(recognized.begin(), recognized.end(), [&item](const auto& e) {
        return DownloadItem::sameFile(e->getItem()->getFile(), item->getFile());
    });
    if (entry == recognized.end())
        return;
    std::shared_ptr<RecognizedItem> removed = *entry;
    recognized.erase(entry);
    post([this, removed] { listener->onRecognizedItemRemoved(removed); },
         QStringLiteral("onRecognizedItemRemoved"));
}

std::shared_ptr<wow::InstalledWowAddon>
DownloadRecognizer::lookupAddon(const AddonMetadata& info) const {
    return addonManager ? addonManager->lookupAddon(info.getName(), info.getVersion()) : nullptr;
}

void DownloadRecognizer::post(std::function<void()> task, const QString& description) {
    try {
        if (!dispatcher)
            throw util::IllegalStateError(QStringLiteral("download recognizer not initialized"));
        dispatcher->invokeLater(std::move(task),
                                QStringLiteral("DownloadRecognizer.") + description);
    } catch (const std::exception& error) {
        App::log(error);
    }
}

void DownloadRecognizer::afterRefreshDownloads() {
    refreshRecognizedItems();
}

void DownloadRecognizer::downloadCompleted(const std::shared_ptr<DownloadItem>& item) {
    if (item)
        recognize(item, true);
}

void DownloadRecognizer::downloadRemoved(const std::shared_ptr<DownloadItem>& item) {
    invalidate(item);
}

void DownloadRecognizer::afterPackageInstalled(AddonManager&,
                                               const std::shared_ptr<AddonPackage>&) {
    // Once per package, not once per addon it brought.
    refreshRecognizedItems();
}

void DownloadRecognizer::addonRemoved(AddonManager&,
                                      const std::shared_ptr<wow::InstalledWowAddon>&) {
    refreshRecognizedItems();
}

void DownloadRecognizer::afterRefresh(AddonManager&) {
    refreshRecognizedItems();
}

} // namespace plenfox::client::model
