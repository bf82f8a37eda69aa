#include "client/model/ClientRepository.h"

#include "client/model/App.h"
#include "client/model/Constants.h"
#include "lib/util/Error.h"

#include <QDir>
#include <system_error>

namespace plenfox::client::model {

namespace fs = std::filesystem;

ClientRepository::ClientRepository() : root(defaultRoot()) {}

fs::path ClientRepository::defaultRoot() {
    return fs::path(QDir::homePath().toStdU16String()) /
           Constants::UserRepositoryName.toStdU16String();
}

ClientRepository::ClientRepository(fs::path root) : root(std::move(root)) {}

fs::path ClientRepository::getFileInRoot(const QString& name) const {
    if (name.isNull())
        throw util::IllegalArgumentError(QStringLiteral("null file name"));
    return root / name.toStdU16String();
}

fs::path ClientRepository::getDownloadRepository() const {
    return root / Constants::DownloadRepositoryName.toStdU16String();
}

bool ClientRepository::initialize(Client&) {
    std::error_code error;
    if (fs::exists(root, error))
        return true;
    return fs::create_directories(root, error) && !error;
}

void ClientRepository::listenerReport() {
    App::log(Prefix + QStringLiteral(".listenerReport: <NONE>"));
}

void ClientRepository::shutdown(Client&) {}

} // namespace plenfox::client::model
