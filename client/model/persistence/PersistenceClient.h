#pragma once

namespace plenfox::client::model {

class ObjectReader;
class ObjectWriter;

// A component whose state is kept in a data file by a PersistenceHelper.
class PersistenceClient {
public:
    virtual ~PersistenceClient() = default;
    // Reads the state in the order persist wrote it.
    virtual void load(ObjectReader& reader) = 0;
    // Sets the empty state (there is no data file).
    virtual void loadEmpty() = 0;
    virtual bool needsPersist() = 0;
    virtual void persist(ObjectWriter& writer) = 0;
};

} // namespace plenfox::client::model
