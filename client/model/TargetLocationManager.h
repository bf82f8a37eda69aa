#pragma once

#include "client/model/ClientComponent.h"
#include "client/model/FlavourChoice.h"
#include "client/model/persistence/PersistenceClient.h"

#include <QString>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>

namespace plenfox::client::model {

class PersistenceHelper;

// Remembers the game folder the user chose by hand (in "Target.dat") and, at
// start-up, initializes the game installation from it or, without one, lets
// the installation detect the game automatically. Then makes the flavour the
// player chose the current one, and remembers that choice in a data file of
// its own ("Flavour.dat"), so that "Target.dat" keeps its old content.
class TargetLocationManager : public ClientComponent, public PersistenceClient {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.TargetLocationManager");

    TargetLocationManager();
    ~TargetLocationManager() override;

    bool initialize(Client& client) override;
    void listenerReport() override;
    void shutdown(Client& client) override;

    void load(ObjectReader& reader) override;
    void loadEmpty() override;
    bool needsPersist() override;
    void persist(ObjectWriter& writer) override;

    std::optional<std::filesystem::path> getWowFolder() const;

private:
    void applyFlavour(Client& client);

    mutable std::mutex lock;
    std::optional<std::filesystem::path> wowFolder;
    std::unique_ptr<PersistenceHelper> persistence;
    FlavourChoice flavourChoice;
    std::unique_ptr<PersistenceHelper> flavourPersistence;
};

} // namespace plenfox::client::model
