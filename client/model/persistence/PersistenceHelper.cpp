#include "client/model/persistence/PersistenceHelper.h"

#include "client/model/App.h"
#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"
#include "client/model/persistence/PersistenceClient.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

#include <QFile>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace plenfox::client::model {

using util::pathText;

namespace fs = std::filesystem;

namespace {

// Pushes the file's content to the disk, so the rename that follows never
// exposes a file whose data is still only in memory.
void syncToDisk(QFile& file) {
#if defined(_WIN32)
    _commit(file.handle());
#else
    ::fsync(file.handle());
#endif
}

} // namespace

PersistenceHelper::PersistenceHelper(fs::path backingFile, fs::path temporaryBackingFile,
                                     PersistenceClient& client)
    : backingFile(std::move(backingFile)), temporaryBackingFile(std::move(temporaryBackingFile)),
      client(client) {}

void PersistenceHelper::load() {
    std::error_code error;
    if (!fs::exists(backingFile, error)) {
        client.loadEmpty();
        return;
    }
    try {
        QFile file(pathText(backingFile));
        if (!file.open(QIODevice::ReadOnly))
            throw util::IoError(pathText(backingFile) + QStringLiteral(": ") + file.errorString());
        ObjectReader reader(file);
        client.load(reader);
    } catch (const std::exception& failure) {
        App::log(failure);
    }
}

void PersistenceHelper::persist() {
    try {
        std::error_code error;
        if (fs::exists(temporaryBackingFile, error) && !fs::remove(temporaryBackingFile, error))
            throw util::IoError(QStringLiteral("could not delete ") +
                                pathText(temporaryBackingFile));
        if (!client.needsPersist())
            return;
        writeTemporaryFile();
        // rename replaces the old data file in one step.
        fs::rename(temporaryBackingFile, backingFile, error);
        if (error)
            throw util::IoError(QStringLiteral("could not rename ") +
                                pathText(temporaryBackingFile) + QStringLiteral(": ") +
                                QString::fromStdString(error.message()));
    } catch (const std::exception& failure) {
        App::log(failure);
    }
}

void PersistenceHelper::writeTemporaryFile() {
    QFile file(pathText(temporaryBackingFile));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw util::IoError(pathText(temporaryBackingFile) + QStringLiteral(": ") +
                            file.errorString());
    ObjectWriter writer(file);
    client.persist(writer);
    writer.checkStatus();
    if (!file.flush())
        throw util::IoError(pathText(temporaryBackingFile) + QStringLiteral(": ") +
                            file.errorString());
    syncToDisk(file);
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw util::IoError(pathText(temporaryBackingFile) + QStringLiteral(": ") +
                            file.errorString());
}

} // namespace plenfox::client::model
