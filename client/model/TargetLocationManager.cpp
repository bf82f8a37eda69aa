#include "client/model/TargetLocationManager.h"

#include "client/model/App.h"
#include "client/model/Client.h"
#include "client/model/ClientRepository.h"
#include "client/model/Constants.h"
#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"
#include "client/model/persistence/PersistenceHelper.h"
#include "client/model/wow/WowInstallation.h"

namespace plenfox::client::model {

TargetLocationManager::TargetLocationManager() = default;

TargetLocationManager::~TargetLocationManager() = default;

bool TargetLocationManager::initialize(Client& client) {
    const ClientRepository* repository = client.getClientRepository().get();
    persistence = std::make_unique<PersistenceHelper>(
        repository->getFileInRoot(Constants::TargetFileName),
        repository->getFileInRoot(Constants::TargetFileName + QStringLiteral(".tmp")), *this);

    std::optional<std::filesystem::path> chosen =
        client.getOptions() ? client.getOptions()->getWowFolder() : std::nullopt;
    if (chosen) {
        std::lock_guard guard(lock);
        wowFolder = chosen;
    } else {
        persistence->load();
    }

    chosen = getWowFolder();
    if (chosen)
        client.getWow()->initializeExplicit(*chosen);
    else
        client.getWow()->initialize();
    return true;
}

void TargetLocationManager::listenerReport() {
    App::log(Prefix + QStringLiteral(".listenerReport: <NONE>"));
}

void TargetLocationManager::shutdown(Client&) {
    if (persistence)
        persistence->persist();
}

void TargetLocationManager::load(ObjectReader& reader) {
    std::lock_guard guard(lock);
    // A value of any other type than a path means no folder was chosen.
    wowFolder = reader.peekTag() == ObjectStreamTag::Path ? reader.readPath() : std::nullopt;
}

void TargetLocationManager::loadEmpty() {
    std::lock_guard guard(lock);
    wowFolder.reset();
}

bool TargetLocationManager::needsPersist() {
    std::lock_guard guard(lock);
    return wowFolder.has_value();
}

void TargetLocationManager::persist(ObjectWriter& writer) {
    std::lock_guard guard(lock);
    writer.writePath(wowFolder);
}

std::optional<std::filesystem::path> TargetLocationManager::getWowFolder() const {
    std::lock_guard guard(lock);
    return wowFolder;
}

} // namespace plenfox::client::model
