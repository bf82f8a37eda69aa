#pragma once

#include "lib/util/Log.h"

#include <QFile>
#include <QString>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>

namespace plenfox::client {

// The running application: owns this run's log file and the single logger,
// and counts the errors logged. There is at most one App at a time; logging
// calls made while there is none do nothing. While it lives it is also the
// sink of the lower layers' log (util::Log), so their lines and errors land
// in the same file and their errors are counted too.
class App : private util::Log::Sink {
public:
    static inline const QString QualifiedName = QStringLiteral("com.plenfox.kesh.client.App");

    // Creates the log file "plenfoxclient<digits>.log" in logFolder (the
    // temporary-files folder when empty), writes the start-up line and prints
    // the log file's path. A failure leaves the App without a log.
    explicit App(const QString& logFolder = QString());
    ~App() override;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    static App* getInstance();
    const std::filesystem::path& getLogFile() const { return temporaryLogFile; }

    void info(const QString& message);
    static void log(const QString& message);
    // "Exception: [" + error + "]" followed by its call stack; counts it.
    static void log(const std::exception& error);
    void countException();
    int getExceptionCount();

    // The folder log files are created in.
    static QString temporaryFolder();
    // Deletes the oldest "plenfoxclient*.log" files of the folder so that
    // LogFilesToKeep remain. Errors are logged under the given prefix.
    static void cleanUpOldLogFiles(const QString& folder, const QString& prefix);

private:
    void message(const QString& line) override;
    void exception(const std::exception& error) override;

    static App* instance;
    std::filesystem::path temporaryLogFile;
    std::unique_ptr<QFile> logger; // absent when the log could not be set up
    std::mutex loggerLock;
    std::mutex countLock;
    int exceptionCount = 0;
};

} // namespace plenfox::client
