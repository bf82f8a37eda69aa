#pragma once

#include "client/model/persistence/PersistenceClient.h"

#include <QString>
#include <mutex>
#include <optional>

namespace plenfox::client::model {

// The flavour the player chose to work on, kept across runs in a data file
// of its own ("Flavour.dat": one text, the flavour folder's name). Absent
// until the player chooses; nothing is written then.
class FlavourChoice : public PersistenceClient {
public:
    std::optional<QString> get() const;
    void set(const QString& folderName);

    void load(ObjectReader& reader) override;
    void loadEmpty() override;
    bool needsPersist() override;
    void persist(ObjectWriter& writer) override;

private:
    mutable std::mutex lock;
    std::optional<QString> value;
};

} // namespace plenfox::client::model
