#include "client/model/TargetLocationManager.h"

#include "client/model/App.h"
#include "client/model/Client.h"
#include "client/model/ClientOptions.h"
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

    wow::WowInstallation* wow = client.getWow();
    chosen = getWowFolder();
    if (chosen) {
        wow->initializeExplicit(*chosen);
    } else if (wow->isInitialized()) {
        // A restart: the flavours may have changed since the game was found.
        wow->refreshFlavours();
    } else {
        wow->initialize();
    }
    applyFlavour(client);
    return true;
}

void TargetLocationManager::applyFlavour(Client& client) {
    const ClientRepository* repository = client.getClientRepository().get();
    flavourPersistence = std::make_unique<PersistenceHelper>(
        repository->getFileInRoot(Constants::FlavourFileName),
        repository->getFileInRoot(Constants::FlavourFileName + QStringLiteral(".tmp")),
        flavourChoice);
    wow::WowInstallation* wow = client.getWow();
    const std::shared_ptr<ClientOptions> options = client.getOptions();
    // The player's choice of this start: a flavour from the menu, or a
    // flavour folder picked as the game folder; else the one of a former run.
    std::optional<QString> flavour = options ? options->getFlavour() : std::nullopt;
    if (!flavour && options && options->getWowFolder())
        flavour = wow->namedFlavour();
    if (flavour)
        flavourChoice.set(*flavour);
    else
        flavourPersistence->load();
    if (const std::optional<QString> chosen = flavourChoice.get(); chosen && wow->exists())
        wow->selectFlavour(*chosen);
}

void TargetLocationManager::listenerReport() {
    App::log(Prefix + QStringLiteral(".listenerReport: <NONE>"));
}

void TargetLocationManager::shutdown(Client&) {
    if (persistence)
        persistence->persist();
    if (flavourPersistence)
        flavourPersistence->persist();
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
