#pragma once

#include <filesystem>

namespace plenfox::client::model {

class PersistenceClient;

// Keeps one component's state in a data file. Writing goes to a temporary
// twin first, which then replaces the data file in one atomic rename, so the
// file on disk always holds either the old or the new state.
class PersistenceHelper {
public:
    PersistenceHelper(std::filesystem::path backingFile, std::filesystem::path temporaryBackingFile,
                      PersistenceClient& client);

    // Fills the client from the data file, or calls loadEmpty when there is
    // none. Errors are logged; the client keeps what it read before them.
    void load();
    // Writes the client's state when it needs persisting. Errors are logged.
    void persist();

    const std::filesystem::path& getBackingFile() const { return backingFile; }
    const std::filesystem::path& getTemporaryBackingFile() const { return temporaryBackingFile; }

private:
    void writeTemporaryFile();

    std::filesystem::path backingFile;
    std::filesystem::path temporaryBackingFile;
    PersistenceClient& client;
};

} // namespace plenfox::client::model
