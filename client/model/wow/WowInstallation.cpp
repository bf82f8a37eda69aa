#include "client/model/wow/WowInstallation.h"

#include "client/model/App.h"
#include "client/model/wow/FirstLineReader.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/TocFile.h"
#include "lib/util/Error.h"
#include "lib/util/FileSystem.h"
#include "lib/util/Paths.h"
#include "platform/Registry.h"
#include "platform/WinePrefix.h"
#include "platform/WinePrefixFinder.h"
#include "platform/WineRegistry.h"

#include <QFile>
#include <QScopeGuard>
#include <QtGlobal>
#include <system_error>

namespace plenfox::client::wow {

using util::pathText;
using util::toPath;

namespace fs = std::filesystem;

namespace {

QString boolText(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

bool pathExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool isRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

QString nameOf(const fs::path& path) {
    return pathText(path.filename());
}

// A path below the launcher's data folder, each component found ignoring
// letter case ("Battle.net/Setup" where a Windows file system is mounted).
fs::path inProgramData(const QString& programData, const fs::path& relative) {
    return util::FileSystem::resolveIgnoringCase(toPath(programData), relative);
}

} // namespace

WowInstallation::WowInstallation()
    : WowInstallation(platform::Registry::system(),
                      [](const QString& name) -> std::optional<QString> {
                          if (!qEnvironmentVariableIsSet(name.toLocal8Bit().constData()))
                              return std::nullopt;
                          return qEnvironmentVariable(name.toLocal8Bit().constData());
                      }) {}

WowInstallation::WowInstallation(std::shared_ptr<const platform::Registry> registry,
                                 EnvironmentReader environment)
    : registry(registry ? std::move(registry) : platform::Registry::system()),
      environment(std::move(environment)) {}

WowInstallation::~WowInstallation() = default;

void WowInstallation::initialize() {
    initializeAutomatically();
}

void WowInstallation::initializeAutomatically() {
    std::lock_guard guard(lock);
    if (initialized)
        return;
    root.reset();
    installed = false;
    initializeFromBattleNetAppLogs();
    if (!installed)
        initializeFromSwitcherLog();
    if (!installed)
        initializeWithRegistry();
    if (!installed)
        initializeFromWinePrefixes();
    initialized = true;
}

void WowInstallation::initializeExplicit(const fs::path& folder) {
    std::lock_guard guard(lock);
    App::log(QStringLiteral("Initializing with an explicit path: [") + pathText(folder) +
             QLatin1Char(']'));
    initialized = true;
    root = folder;
    installed = isDirectory(folder);
}

bool WowInstallation::exists() {
    std::lock_guard guard(lock);
    initialize();
    return installed;
}

std::optional<fs::path> WowInstallation::installRoot() {
    std::lock_guard guard(lock);
    initialize();
    return root;
}

std::optional<fs::path> WowInstallation::addonRoot() {
    std::lock_guard guard(lock);
    const std::optional<fs::path> game = installRoot();
    if (!game)
        return std::nullopt;
    // File systems that keep letter case must find the folder in whatever
    // spelling it has, not make a second one beside it; a folder still to be
    // made gets the game's own spelling.
    return util::FileSystem::resolveIgnoringCase(*game, fs::path("Interface") / "AddOns");
}

bool WowInstallation::addonRootExists() {
    const std::optional<fs::path> folder = addonRoot();
    return folder && pathExists(*folder);
}

std::vector<std::shared_ptr<InstalledWowAddon>> WowInstallation::addons() {
    std::vector<std::shared_ptr<InstalledWowAddon>> found;
    const std::optional<fs::path> folder = addonRoot();
    if (!folder || !pathExists(*folder))
        return found;
    try {
        for (const fs::directory_entry& entry : fs::directory_iterator(*folder)) {
            std::error_code error;
            if (!entry.is_directory(error))
                continue;
            const QString name = nameOf(entry.path());
            if (!isRegularFile(InstalledWowAddon::findTocFile(entry.path(), name)))
                continue;
            found.push_back(std::make_shared<InstalledWowAddon>(this, name, entry.path()));
        }
    } catch (const std::exception& error) {
        // An addon folder that cannot be listed (fully) gives what was found.
        App::log(error);
    }
    return found;
}

bool WowInstallation::validateWowDirectory(const fs::path& folder) {
    return isRegularFile(util::FileSystem::findEntryIgnoringCase(folder, "wow.exe"));
}

std::optional<QString> WowInstallation::programData() {
    std::optional<QString> value =
        environment ? environment(QStringLiteral("ProgramData")) : std::nullopt;
    if (!value)
        App::log(QStringLiteral("Could not get env.ProgramData"));
    else
        App::log(QStringLiteral("ProgramData [") + *value + QLatin1Char(']'));
    return value;
}

void WowInstallation::initializeFromBattleNetAppLogs() {
    try {
        initializeFromBattleNetAppLogsInternal();
    } catch (const util::IoError& error) {
        App::log(Prefix + QStringLiteral(".initializeFromBattleNetAppLogs hit an i/o exception"));
        App::log(error);
    } catch (const fs::filesystem_error& error) {
        App::log(Prefix + QStringLiteral(".initializeFromBattleNetAppLogs hit an i/o exception"));
        App::log(error);
    } catch (const std::exception& error) {
        App::log(Prefix +
                 QStringLiteral(".initializeFromBattleNetAppLogs hit an unexpected exception!!!"));
        App::log(error);
    }
}

void WowInstallation::initializeFromBattleNetAppLogsInternal() {
    App::log(
        QStringLiteral("Attempting to find wow installation from Battle.Net desktop app logs"));
    const std::optional<QString> data = programData();
    if (!data)
        return;
    const fs::path setup = inProgramData(*data, fs::path("battle.net") / "Setup");
    if (!isDirectory(setup)) {
        App::log(QStringLiteral("Could not find the battle.net/setup directory"));
        return;
    }
    std::vector<fs::path> products;
    for (const fs::directory_entry& entry : fs::directory_iterator(setup)) {
        if (nameOf(entry.path()).toLower().startsWith(QStringLiteral("wow_")))
            products.push_back(entry.path());
    }
    App::log(QStringLiteral("Found wow directories: ") + QString::number(products.size()));

    for (const fs::path& product : products) {
        try {
            const fs::path logFolder = util::FileSystem::resolveIgnoringCase(product, "log");
            std::vector<fs::path> logFiles;
            for (const fs::directory_entry& entry : fs::directory_iterator(logFolder)) {
                const QString name = nameOf(entry.path()).toLower();
                if (name.startsWith(QStringLiteral("setup-")) &&
                    name.endsWith(QStringLiteral(".log")))
                    logFiles.push_back(entry.path());
            }
            App::log(QStringLiteral("Found log files in directory [") + pathText(logFolder) +
                     QStringLiteral("] ") + QString::number(logFiles.size()));
            for (const fs::path& logFile : logFiles) {
                if (acceptFromSetupLog(logFile))
                    return;
            }
        } catch (const std::exception& error) {
            App::log(
                Prefix +
                QStringLiteral(".initializeFromBattleNetAppLogs: hit an exception on directory [") +
                pathText(product) + QLatin1Char(']'));
            App::log(error);
        }
    }
}

bool WowInstallation::acceptFromSetupLog(const fs::path& logFile) {
    const std::optional<QString> line = FirstLineReader::read(logFile);
    App::log(QStringLiteral("Read first log line [") + line.value_or(QStringLiteral("null")) +
             QLatin1Char(']'));
    static const QString At = QStringLiteral(" at '");
    if (!line || !line->contains(QStringLiteral("Blizzard Setup")) || !line->contains(At))
        return false;
    const qsizetype start = line->indexOf(At) + At.size();
    const qsizetype end = line->indexOf(u'\'', start);
    if (end < 0)
        return false;
    const QString path = line->mid(start, end - start);
    App::log(QStringLiteral("Found path [") + path + QLatin1Char(']'));
    const std::optional<fs::path> executable = localPath(path);
    if (!executable || !isRegularFile(*executable) || !executable->has_parent_path())
        return false;
    const fs::path folder = executable->parent_path();
    if (!validateWowDirectory(folder))
        return false;
    root = folder;
    installed = true;
    App::log(QStringLiteral("Accepting validated path [") + pathText(folder) + QLatin1Char(']'));
    return true;
}

void WowInstallation::initializeFromSwitcherLog() {
    App::log(QStringLiteral("Attempting to find wow installation from switcher.log"));
    const std::optional<QString> data = programData();
    if (!data)
        return;
    const fs::path switcherLog =
        inProgramData(*data, fs::path("battle.net") / "Client" / "Logs" / "switcher.log");
    const bool exists = pathExists(switcherLog);
    const bool regular = isRegularFile(switcherLog);
    App::log(QStringLiteral("switcherLog: ") + pathText(switcherLog) + QStringLiteral(": ") +
             boolText(exists) + QStringLiteral(", ") + boolText(regular));
    if (!exists || !regular)
        return;
    try {
        QFile input(switcherLog);
        if (!input.open(QIODevice::ReadOnly))
            throw util::IoError(pathText(switcherLog) + QStringLiteral(" (") + input.errorString() +
                                QLatin1Char(')'));
        const QByteArray bytes = input.readAll();
        const bool failed = input.error() != QFileDevice::NoError;
        const QString failure = input.errorString();
        input.close();
        if (failed)
            throw util::IoError(pathText(switcherLog) + QStringLiteral(" (") + failure +
                                QLatin1Char(')'));

        static const QString GamePath = QStringLiteral("--gamepath=");
        static const QString Game = QStringLiteral("--game=wow_");
        std::optional<QString> gamePath;
        std::optional<QString> detectedPath;
        qsizetype count = 0;
        for (const QString& line : TocFile::splitLines(TocFile::analyzeBom(bytes))) {
            ++count;
            const qsizetype first = line.indexOf(u'\'');
            if (first < 0)
                continue;
            const qsizetype last = line.lastIndexOf(u'\'');
            if (first + 1 >= last)
                continue;
            const QString interior = line.mid(first + 1, last - first - 1);
            App::log(QStringLiteral("Found interior string: [") + interior + QLatin1Char(']'));
            if (interior.contains(u'\'')) {
                App::log(QStringLiteral("ignoring weird interior string"));
                continue;
            }
            if (interior.startsWith(GamePath)) {
                gamePath = interior.mid(GamePath.size());
                App::log(QStringLiteral("found gamepath [") + *gamePath + QLatin1Char(']'));
            } else if (interior.startsWith(Game) && gamePath) {
                detectedPath = gamePath;
                App::log(QStringLiteral("Detected wow path [") + *gamePath + QLatin1Char(']'));
            }
        }
        App::log(QStringLiteral("parsed ") + QString::number(count) +
                 QStringLiteral(" lines of switcher.log"));
        if (detectedPath) {
            root = localPath(*detectedPath);
            installed = root && pathExists(*root);
        }
    } catch (const std::exception& error) {
        App::log(error);
    }
}

void WowInstallation::initializeWithRegistry() {
    App::log(QStringLiteral("Trying to detect wow installation from the registry"));
    App::log(QStringLiteral("Blizzard key: ") + platform::Registry::fullName(RegistryKey));
    if (!registry->keyExists(RegistryKey)) {
        App::log(QStringLiteral(" ... does not exist"));
        return;
    }
    const std::optional<platform::Registry::Value> value =
        registry->readValue(RegistryKey, RegistryValueName);
    if (!value) {
        App::log(QStringLiteral(" ... does not have [") + RegistryValueName + QLatin1Char(']'));
        return;
    }
    App::log(QStringLiteral("value: ") + value->toString());
    if (value->type != platform::Registry::ValueType::String) {
        App::log(QStringLiteral("value.type == ") + value->typeName());
        return;
    }
    App::log(QStringLiteral("path: ") + value->data);
    root = localPath(value->data);
    if (!root)
        return;
    const bool exists = pathExists(*root);
    const bool directory = isDirectory(*root);
    if (exists && directory) {
        installed = true;
    } else {
        App::log(QStringLiteral("path.exists ") + boolText(exists));
        App::log(QStringLiteral("path.isDirectory ") + boolText(directory));
    }
}

std::optional<fs::path> WowInstallation::localPath(const QString& path) {
    return pathMapper ? pathMapper(path) : std::optional<fs::path>(toPath(path));
}

void WowInstallation::initializeFromWinePrefixes() {
    if (!platform::WinePrefixFinder::Available)
        return;
    App::log(QStringLiteral("Attempting to find wow installation in Wine prefixes"));
    const std::optional<QString> home =
        environment ? environment(QStringLiteral("HOME")) : std::nullopt;
    const std::optional<QString> winePrefix =
        environment ? environment(QStringLiteral("WINEPREFIX")) : std::nullopt;
    const platform::WinePrefixFinder finder(home ? toPath(*home) : fs::path(), winePrefix,
                                            [](const QString& line) { App::log(line); });
    const std::vector<platform::WinePrefixFinder::Found> prefixes = finder.find();
    App::log(QStringLiteral("Found Wine prefixes: ") + QString::number(prefixes.size()));
    for (const platform::WinePrefixFinder::Found& found : prefixes) {
        initializeFromWinePrefix(found.prefix, found.source);
        if (installed)
            return;
    }
}

void WowInstallation::initializeFromWinePrefix(const platform::WinePrefix& prefix,
                                               const QString& source) {
    const QString name = QLatin1Char('[') + pathText(prefix.root()) + QLatin1Char(']');
    App::log(QStringLiteral("Examining Wine prefix ") + name + QStringLiteral(" (") + source +
             QLatin1Char(')'));
    // While the prefix is examined, its "ProgramData", its registry and its
    // drives stand in for the machine's.
    const EnvironmentReader machineEnvironment = environment;
    const std::shared_ptr<const platform::Registry> machineRegistry = registry;
    const auto restore = qScopeGuard([&] {
        environment = machineEnvironment;
        registry = machineRegistry;
        pathMapper = nullptr;
    });
    const QString data = pathText(prefix.programData());
    environment = [data](const QString& variable) -> std::optional<QString> {
        if (variable == QStringLiteral("ProgramData"))
            return data;
        return std::nullopt;
    };
    pathMapper = [&prefix](const QString& path) -> std::optional<fs::path> {
        QString problem;
        std::optional<fs::path> local = prefix.toLocalPath(path, problem);
        if (local)
            App::log(QStringLiteral("Path [") + path + QStringLiteral("] is [") + pathText(*local) +
                     QStringLiteral("] in the prefix"));
        else
            App::log(QStringLiteral("Ignoring path [") + path + QStringLiteral("]: ") + problem);
        return local;
    };
    const auto foundThrough = [&name](const QString& what) {
        App::log(QStringLiteral("Found wow installation in Wine prefix ") + name +
                 QStringLiteral(" through ") + what);
    };
    try {
        initializeFromBattleNetAppLogs();
        if (installed)
            return foundThrough(QStringLiteral("the Battle.net setup logs"));
        initializeFromSwitcherLog();
        if (installed)
            return foundThrough(QStringLiteral("switcher.log"));
        QString problem;
        std::shared_ptr<const platform::WineRegistry> wine =
            platform::WineRegistry::read(prefix.systemRegistry(), problem);
        if (!wine) {
            App::log(QStringLiteral("Cannot read the registry [") +
                     pathText(prefix.systemRegistry()) + QStringLiteral("]: ") + problem);
            return;
        }
        if (wine->truncated())
            App::log(QStringLiteral("Reading only the first ") +
                     QString::number(platform::WineRegistry::MaxFileSize) +
                     QStringLiteral(" bytes of the registry [") +
                     pathText(prefix.systemRegistry()) + QLatin1Char(']'));
        registry = std::move(wine);
        initializeWithRegistry();
        if (installed)
            foundThrough(QStringLiteral("the registry"));
    } catch (const std::exception& error) {
        App::log(error);
    }
}

} // namespace plenfox::client::wow
