#include "client/model/ClientOptions.h"

#include "lib/util/Error.h"

namespace plenfox::client::model {

bool ClientOptions::getUpdatesEnabled() const {
    std::lock_guard guard(lock);
    return updatesEnabled;
}

ClientOptions& ClientOptions::setUpdatesEnabled(bool enabled) {
    std::lock_guard guard(lock);
    updatesEnabled = enabled;
    return *this;
}

void ClientOptions::setWowFolder(const std::filesystem::path& folder) {
    std::lock_guard guard(lock);
    if (clientInitialized)
        throw util::IllegalStateError(
            QStringLiteral("the game folder cannot change after the client initialized"));
    wowFolder = folder;
}

std::optional<std::filesystem::path> ClientOptions::getWowFolder() const {
    std::lock_guard guard(lock);
    return wowFolder;
}

void ClientOptions::setFlavour(const QString& folderName) {
    std::lock_guard guard(lock);
    if (clientInitialized)
        throw util::IllegalStateError(
            QStringLiteral("the flavour cannot change after the client initialized"));
    flavour = folderName;
}

std::optional<QString> ClientOptions::getFlavour() const {
    std::lock_guard guard(lock);
    return flavour;
}

bool ClientOptions::isClientInitialized() const {
    std::lock_guard guard(lock);
    return clientInitialized;
}

void ClientOptions::setClientInitialized(bool initialized) {
    std::lock_guard guard(lock);
    clientInitialized = initialized;
}

} // namespace plenfox::client::model
