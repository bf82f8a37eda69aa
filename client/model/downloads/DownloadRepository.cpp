#include "client/model/downloads/DownloadRepository.h"

#include "client/model/App.h"
#include "client/model/ClientRepository.h"
#include "client/model/downloads/DownloadItem.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

#include <system_error>

namespace plenfox::client::model {

namespace fs = std::filesystem;

DownloadRepository::DownloadRepository(ClientRepository& clientRepository)
    : clientRepository(clientRepository) {}

fs::path DownloadRepository::getFileInRoot(const QString& name) const {
    if (name.isNull())
        throw util::IllegalArgumentError(QStringLiteral("null file name"));
    return root / name.toStdU16String();
}

bool DownloadRepository::initialize(Client&) {
    root = clientRepository.getDownloadRepository();
    std::error_code error;
    if (!fs::is_directory(root, error)) {
        fs::create_directories(root, error);
        if (error)
            App::log(util::IoError(QStringLiteral("could not create the downloads folder ") +
                                   util::pathText(root) + QStringLiteral(": ") +
                                   QString::fromStdString(error.message())));
    }
    return true;
}

void DownloadRepository::listenerReport() {
    App::log(Prefix + QStringLiteral(".listenerReport: <NONE>"));
}

void DownloadRepository::shutdown(Client&) {}

} // namespace plenfox::client::model
