#include "client/model/RecognizedItem.h"

#include "client/model/DownloadItem.h"
#include "client/wow/ZippedWowAddonPackage.h"

namespace plenfox::client::model {

RecognizedItem::RecognizedItem(Client&, std::shared_ptr<DownloadItem> item,
                               std::shared_ptr<wow::ZippedWowAddonPackage> pack)
    : addonManager(nullptr), sourceManager(nullptr), item(std::move(item)), pack(std::move(pack)) {}
RecognizedItem::~RecognizedItem() = default;
void RecognizedItem::cache() {}
std::vector<AddonMetadata> RecognizedItem::getAddonInfo() {
    return addons;
}
bool RecognizedItem::getAllAddonsInstalled() {
    return allAddonsInstalled;
}
QString RecognizedItem::getDateString() {
    return date;
}
QString RecognizedItem::getDocumentUrl() {
    return documentUrl;
}
int RecognizedItem::getInstalledCount() {
    return installed;
}
int RecognizedItem::getTotalAddons() {
    return totalAddons;
}
bool RecognizedItem::isWowAddon() {
    return wowAddon;
}
bool RecognizedItem::isInstalling() const {
    return installing;
}
bool RecognizedItem::beginInstalling() {
    return true;
}
void RecognizedItem::endInstalling() {}
QString RecognizedItem::toString() const {
    return util::Object::toString();
}
void RecognizedItem::parse() {}

} // namespace plenfox::client::model
