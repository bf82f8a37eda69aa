#include "client/model/DownloadRecognizer.h"

#include "client/model/Downloader.h"
#include "client/model/RecognizedItem.h"
#include "client/wow/InstalledWowAddon.h"

namespace plenfox::client::model {

DownloadRecognizer::DownloadRecognizer() = default;
DownloadRecognizer::~DownloadRecognizer() = default;
bool DownloadRecognizer::initialize(Client&) {
    return true;
}
void DownloadRecognizer::listenerReport() {}
void DownloadRecognizer::shutdown(Client&) {}
std::shared_ptr<Downloader> DownloadRecognizer::handleDownload(const DownloadAttributes&) {
    return nullptr;
}
bool DownloadRecognizer::recognizeMimeType(const QString&) {
    return false;
}
std::shared_ptr<RecognizedItem>
DownloadRecognizer::lookup(const std::shared_ptr<DownloadItem>&) const {
    return nullptr;
}
std::shared_ptr<RecognizedItem>
DownloadRecognizer::lookup(const std::shared_ptr<wow::InstalledWowAddon>&) const {
    return nullptr;
}
std::vector<std::shared_ptr<RecognizedItem>> DownloadRecognizer::getRecognizedItems() const {
    return {};
}
void DownloadRecognizer::refreshRecognizedItems() {}
void DownloadRecognizer::reset() {}
void DownloadRecognizer::afterRefreshDownloads() {}
void DownloadRecognizer::downloadCompleted(const std::shared_ptr<DownloadItem>&) {}
void DownloadRecognizer::downloadRemoved(const std::shared_ptr<DownloadItem>&) {}
void DownloadRecognizer::addonInstalled(AddonManager&,
                                        const std::shared_ptr<wow::InstalledWowAddon>&) {}
void DownloadRecognizer::addonRemoved(AddonManager&,
                                      const std::shared_ptr<wow::InstalledWowAddon>&) {}
void DownloadRecognizer::afterRefresh(AddonManager&) {}

} // namespace plenfox::client::model
