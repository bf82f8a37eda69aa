#pragma once

#include "client/model/ClientComponent.h"

#include <QString>
#include <filesystem>

namespace plenfox::client::model {

class ClientRepository;

// The "downloads" folder inside the client's data folder.
class DownloadRepository : public ClientComponent {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.DownloadRepository");

    explicit DownloadRepository(ClientRepository& clientRepository);

    const std::filesystem::path& getRoot() const { return root; }
    // root joined with the name, unchanged; a null name is an error.
    std::filesystem::path getFileInRoot(const QString& name) const;

    // Sets root and creates the folder when it is missing. A folder that
    // cannot be created is logged; downloads then fail one by one.
    bool initialize(Client& client) override;
    void listenerReport() override;
    void shutdown(Client& client) override;

private:
    ClientRepository& clientRepository;
    std::filesystem::path root;
};

} // namespace plenfox::client::model
