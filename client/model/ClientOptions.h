#pragma once

#include <QString>
#include <filesystem>
#include <mutex>
#include <optional>

namespace plenfox::client::model {

// Start-up options: a game folder and a flavour chosen by the user and
// whether update queries are allowed.
class ClientOptions {
public:
    bool getUpdatesEnabled() const;
    ClientOptions& setUpdatesEnabled(bool enabled);
    // Throws IllegalStateError once the client has initialized.
    void setWowFolder(const std::filesystem::path& folder);
    std::optional<std::filesystem::path> getWowFolder() const;
    // The flavour folder name ("_classic_era_") the player chose; throws
    // IllegalStateError once the client has initialized.
    void setFlavour(const QString& folderName);
    std::optional<QString> getFlavour() const;
    bool isClientInitialized() const;
    void setClientInitialized(bool initialized);

private:
    mutable std::mutex lock;
    std::optional<std::filesystem::path> wowFolder;
    std::optional<QString> flavour;
    bool updatesEnabled = false;
    bool clientInitialized = false;
};

} // namespace plenfox::client::model
