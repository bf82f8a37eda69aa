#include "client/model/App.h"

#include "client/model/Constants.h"
#include "client/model/LogFiles.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace plenfox::client {

App* App::instance = nullptr;

namespace {

constexpr int CreateAttempts = 100;

std::unique_ptr<QFile> createNewLogFile(const QString& folder) {
    for (int attempt = 0; attempt < CreateAttempts; ++attempt) {
        const QString digits =
            QString::number(QRandomGenerator::global()->bounded(Q_INT64_C(1), Q_INT64_C(1) << 62));
        auto file = std::make_unique<QFile>(QDir(folder).filePath(QStringLiteral("plenfoxclient") +
                                                                  digits + QStringLiteral(".log")));
        // NewOnly: never reuse an existing file.
        if (file->open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file;
        if (!QFileInfo(folder).isDir())
            break;
    }
    return nullptr;
}

} // namespace

App::App(const QString& logFolder) {
    instance = this;
    util::Log::install(*this);
    logger = createNewLogFile(logFolder.isEmpty() ? temporaryFolder() : logFolder);
    if (!logger)
        return;
    temporaryLogFile = std::filesystem::path(logger->fileName().toStdU16String());
    info(QStringLiteral("Plenfox Client [") + Constants::VersionString +
         QStringLiteral("] starting up"));
    std::printf("%s\n", QDir::toNativeSeparators(logger->fileName()).toLocal8Bit().constData());
    std::fflush(stdout);
}

App::~App() {
    util::Log::remove(*this);
    if (instance == this)
        instance = nullptr;
}

App* App::getInstance() {
    return instance;
}

QString App::temporaryFolder() {
    return QDir::tempPath();
}

void App::info(const QString& message) {
    std::lock_guard lock(loggerLock);
    if (!logger)
        return;
    // One whole record per call, flushed so a crash loses nothing.
    const QString record =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) +
        QStringLiteral(" INFO: ") + message + QLatin1Char('\n');
    logger->write(record.toUtf8());
    logger->flush();
}

void App::log(const QString& message) {
    if (App* app = getInstance())
        app->info(message);
}

void App::log(const std::exception& error) {
    if (App* app = getInstance())
        app->exception(error);
}

void App::message(const QString& line) {
    info(line);
}

void App::exception(const std::exception& error) {
    QString line = QStringLiteral("Exception: [");
    if (const auto* own = dynamic_cast<const util::Error*>(&error)) {
        line += own->toString() + QLatin1Char(']');
        for (const QString& frame : own->stackTrace())
            line += QStringLiteral(" [") + frame + QLatin1Char(']');
    } else {
        const char* text = error.what();
        line += (text ? QString::fromLocal8Bit(text) : QStringLiteral("null")) + QLatin1Char(']');
    }
    info(line);
    countException();
}

void App::countException() {
    std::lock_guard lock(countLock);
    ++exceptionCount;
}

int App::getExceptionCount() {
    std::lock_guard lock(countLock);
    return exceptionCount;
}

void App::cleanUpOldLogFiles(const QString& folder, const QString& prefix) {
    namespace fs = std::filesystem;
    try {
        std::vector<LogFiles::Entry> logs = LogFiles::list(fs::path(folder.toStdU16String()));
        if (logs.size() <= static_cast<std::size_t>(Constants::LogFilesToKeep))
            return;
        std::sort(logs.begin(), logs.end(), [](const LogFiles::Entry& a, const LogFiles::Entry& b) {
            return a.modified < b.modified;
        });
        const std::size_t excess = logs.size() - Constants::LogFilesToKeep;
        for (std::size_t i = 0; i < excess; ++i)
            if (!fs::remove(logs[i].path))
                throw util::IoError(QStringLiteral("could not delete ") +
                                    util::pathText(logs[i].path));
    } catch (const fs::filesystem_error& error) {
        log(util::IoError(QString::fromLocal8Bit(error.what())));
        log(prefix + QStringLiteral(".cleanUpOldLogFiles: IO error"));
    } catch (const util::IoError& error) {
        log(error);
        log(prefix + QStringLiteral(".cleanUpOldLogFiles: IO error"));
    }
}

} // namespace plenfox::client
