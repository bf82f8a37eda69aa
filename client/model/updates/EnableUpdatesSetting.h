#pragma once

#include "client/model/persistence/PersistenceClient.h"

#include <memory>
#include <mutex>
#include <optional>

namespace plenfox::client::model {
class Client;
class ClientOptions;
class PersistenceHelper;

// The player's answer to "may we ask the update service?", kept in
// "UpdateSettings.dat" and passed on to the client's options. Absent until the
// player answered Yes once (a No is not kept, so the question comes again).
class EnableUpdatesSetting : public PersistenceClient {
public:
    EnableUpdatesSetting();
    ~EnableUpdatesSetting() override;

    // Takes the client's options and loads the data file.
    void initialize(model::Client& client);
    bool enabled() const;
    bool isDefault() const;
    void set(bool value);
    // Writes the data file (when a value is present).
    void persist();

    void load(model::ObjectReader& reader) override;
    void loadEmpty() override;
    bool needsPersist() override;
    void persist(model::ObjectWriter& writer) override;

private:
    void passOn(bool value);

    mutable std::mutex lock;
    std::shared_ptr<model::ClientOptions> options;
    std::unique_ptr<model::PersistenceHelper> persistence;
    std::optional<bool> value;
};

} // namespace plenfox::client::model
