#include "client/model/BugReport.h"

#include "client/model/LogFiles.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

#include <QDir>
#include <QTemporaryFile>
#include <memory>
#include <zip.h>

namespace plenfox::client::model {

namespace fs = std::filesystem;

namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

QString zipError(zip_t* archive) {
    return QString::fromLocal8Bit(zip_strerror(archive));
}

void writeArchive(const fs::path& zipFile, const std::vector<fs::path>& logs) {
    int error = 0;
    std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open(zipFile.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!archive)
        throw util::IoError(QStringLiteral("could not create ") + util::pathText(zipFile));
    for (const fs::path& log : logs) {
        // Length -1: the whole file as it is when the archive is written.
        zip_source_t* source = zip_source_file(archive.get(), log.c_str(), 0, -1);
        if (!source)
            throw util::IoError(QStringLiteral("could not read ") + util::pathText(log) +
                                QStringLiteral(": ") + zipError(archive.get()));
        const zip_int64_t index = zip_file_add(archive.get(), log.filename().string().c_str(),
                                               source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            throw util::IoError(QStringLiteral("could not add ") + util::pathText(log) +
                                QStringLiteral(": ") + zipError(archive.get()));
        }
        zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                                 0);
    }
    if (zip_close(archive.get()) != 0)
        throw util::IoError(QStringLiteral("could not write ") + util::pathText(zipFile) +
                            QStringLiteral(": ") + zipError(archive.get()));
    archive.release();
}

} // namespace

std::vector<fs::path> BugReport::findLogFiles(const fs::path& logFolder) {
    std::vector<fs::path> logs;
    try {
        for (const LogFiles::Entry& log : LogFiles::list(logFolder))
            logs.push_back(log.path);
    } catch (const fs::filesystem_error&) {
        // An unreadable folder holds no log files to send.
    }
    return logs;
}

std::optional<fs::path> BugReport::create(const fs::path& logFolder, const fs::path& outputFolder) {
    const std::vector<fs::path> logs = findLogFiles(logFolder);
    if (logs.empty())
        return std::nullopt;
    QTemporaryFile file(
        QDir(util::pathText(outputFolder)).filePath(QStringLiteral("plenfoxclientbugXXXXXX.zip")));
    file.setAutoRemove(false);
    if (!file.open())
        throw util::IoError(QStringLiteral("could not create a bug report file in ") +
                            util::pathText(outputFolder));
    const fs::path zipFile = util::toPath(file.fileName());
    file.close();
    try {
        writeArchive(zipFile, logs);
    } catch (...) {
        std::error_code ignored;
        fs::remove(zipFile, ignored);
        throw;
    }
    return zipFile;
}

} // namespace plenfox::client::model
