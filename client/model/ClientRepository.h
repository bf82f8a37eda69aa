#pragma once

#include "client/model/ClientComponent.h"

#include <QString>
#include <filesystem>

namespace plenfox::client::model {

// The per-user data folder ".plenfoxclient" in the user's home folder.
class ClientRepository : public ClientComponent {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.ClientRepository");

    ClientRepository(); // defaultRoot()
    // ".plenfoxclient" in the user's home folder.
    static std::filesystem::path defaultRoot();
    explicit ClientRepository(std::filesystem::path root);

    const std::filesystem::path& getRoot() const { return root; }
    // root joined with the name; a null name is an error.
    std::filesystem::path getFileInRoot(const QString& name) const;
    std::filesystem::path getDownloadRepository() const;

    // Makes the folder when it is missing and checks that a file can be
    // written into it: the client keeps all its data there.
    bool initialize(Client& client) override;
    void listenerReport() override;
    void shutdown(Client& client) override;
    QString failureReason() const override { return failure; }

private:
    std::filesystem::path root;
    QString failure;
};

} // namespace plenfox::client::model
