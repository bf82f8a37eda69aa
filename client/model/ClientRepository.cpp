#include "client/model/ClientRepository.h"

#include "client/model/App.h"
#include "client/model/Constants.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

#include <QDir>
#include <QFile>
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
    failure.clear();
    const QString folder = util::pathText(root);
    std::error_code error;
    if (!fs::is_directory(root, error)) {
        fs::create_directories(root, error);
        std::error_code checked;
        if (!fs::is_directory(root, checked)) {
            if (!error)
                error = checked;
            failure = QStringLiteral("the data folder [") + folder +
                      QStringLiteral("] cannot be made") +
                      (error ? QStringLiteral(" (") + QString::fromStdString(error.message()) +
                                   QLatin1Char(')')
                             : QString());
            App::log(Prefix + QStringLiteral(".initialize: ") + failure);
            return false;
        }
    }
    // Every data file is written beside a twin first: a folder that takes no
    // new file would lose the player's settings and answers silently.
    QFile probe(util::pathText(root / ".write-check"));
    const bool writable = probe.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                          probe.write("ok", 2) == 2 && probe.flush();
    const QString problem = probe.errorString();
    probe.close();
    probe.remove();
    if (!writable) {
        failure = QStringLiteral("the data folder [") + folder +
                  QStringLiteral("] cannot be written (") + problem + QLatin1Char(')');
        App::log(Prefix + QStringLiteral(".initialize: ") + failure);
        return false;
    }
    return true;
}

void ClientRepository::listenerReport() {
    App::log(Prefix + QStringLiteral(".listenerReport: <NONE>"));
}

void ClientRepository::shutdown(Client&) {}

} // namespace plenfox::client::model
