#include "client/model/wow/WowInstallation.h"

#include "client/model/App.h"
#include "client/model/wow/BuildInfo.h"
#include "client/model/wow/FirstLineReader.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/TocFile.h"
#include "lib/util/Error.h"
#include "lib/util/FileSystem.h"
#include "lib/util/Paths.h"
#include "lib/util/Strings.h"
#include "platform/Registry.h"
#include "platform/WinePrefix.h"
#include "platform/WinePrefixFinder.h"
#include "platform/WineRegistry.h"

#include <QFile>
#include <QScopeGuard>
#include <QtGlobal>
#include <algorithm>
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

// The product a flavour folder's ".flavor.info" names: a header line
// ("Product Flavor!STRING:0"), then the code. Null when there is none.
QString readFlavorInfo(const fs::path& folder) {
    const fs::path file = util::FileSystem::findEntryIgnoringCase(folder, ".flavor.info");
    if (file.empty())
        return QString();
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return QString();
    const QStringList lines = TocFile::splitLines(TocFile::analyzeBom(input.read(4096)));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString value = util::Strings::trim(lines[i].section(u'|', 0, 0));
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

// The product of an old-style game folder, told by its executable.
QString productForExecutable(const fs::path& executable) {
    const QString name = pathText(executable.filename()).toLower();
    if (name == QStringLiteral("wow.exe") || name == QStringLiteral("wow-64.exe"))
        return QStringLiteral("wow");
    if (name == QStringLiteral("wowt.exe"))
        return QStringLiteral("wowt");
    if (name == QStringLiteral("wowb.exe"))
        return QStringLiteral("wow_beta");
    return QString();
}

// The flavour folders of a root, with their executables.
std::vector<std::pair<fs::path, fs::path>> flavourFolders(const fs::path& root) {
    std::vector<std::pair<fs::path, fs::path>> found;
    std::error_code error;
    for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        if (!WowFlavour::isFlavourFolderName(nameOf(it->path())) || !it->is_directory(error))
            continue;
        fs::path executable = WowFlavour::findExecutable(it->path());
        if (!executable.empty())
            found.emplace_back(it->path(), std::move(executable));
    }
    return found;
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
    flavourList.clear();
    current.reset();
    pointedFlavour.reset();
    initializeFromBattleNetAppLogs();
    if (!installed)
        initializeFromSwitcherLog();
    if (!installed)
        initializeWithRegistry();
    if (!installed)
        initializeFromWinePrefixes();
    initialized = true;
    if (installed)
        discoverLayout(*root, false);
}

void WowInstallation::initializeExplicit(const fs::path& folder) {
    std::lock_guard guard(lock);
    App::log(QStringLiteral("Initializing with an explicit path: [") + pathText(folder) +
             QLatin1Char(']'));
    initialized = true;
    root = folder;
    installed = isDirectory(folder);
    flavourList.clear();
    current.reset();
    pointedFlavour.reset();
    if (installed)
        discoverLayout(folder, true);
}

bool WowInstallation::isInitialized() {
    std::lock_guard guard(lock);
    return initialized;
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

std::optional<fs::path> WowInstallation::gameFolder() {
    std::lock_guard guard(lock);
    initialize();
    if (current)
        return flavourList[*current].folder();
    return root;
}

std::optional<fs::path> WowInstallation::addonRoot() {
    std::lock_guard guard(lock);
    const std::optional<fs::path> game = gameFolder();
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
    const TocSelector selector = tocSelector();
    try {
        for (const fs::directory_entry& entry : fs::directory_iterator(*folder)) {
            std::error_code error;
            if (!entry.is_directory(error))
                continue;
            const QString name = nameOf(entry.path());
            const std::optional<TocSelector::Choice> toc = selector.choose(entry.path(), name);
            if (!toc)
                continue;
            found.push_back(std::make_shared<InstalledWowAddon>(
                this, name, entry.path(), entry.path() / toc->fileName.toStdU16String(),
                toc->forFlavour));
        }
    } catch (const std::exception& error) {
        // An addon folder that cannot be listed (fully) gives what was found.
        App::log(error);
    }
    return found;
}

bool WowInstallation::validateWowDirectory(const fs::path& folder) {
    return !WowFlavour::findExecutable(folder).empty() || !flavourFolders(folder).empty();
}

std::vector<WowFlavour> WowInstallation::flavours() {
    std::lock_guard guard(lock);
    initialize();
    return flavourList;
}

std::optional<WowFlavour> WowInstallation::currentFlavour() {
    std::lock_guard guard(lock);
    initialize();
    if (!current)
        return std::nullopt;
    return flavourList[*current];
}

std::optional<QString> WowInstallation::namedFlavour() {
    std::lock_guard guard(lock);
    initialize();
    return pointedFlavour;
}

TocSelector WowInstallation::tocSelector() {
    std::lock_guard guard(lock);
    initialize();
    return current ? TocSelector(flavourList[*current]) : TocSelector();
}

bool WowInstallation::selectFlavour(const QString& folderName) {
    std::lock_guard guard(lock);
    initialize();
    const std::optional<std::size_t> found = findFlavour(folderName);
    if (!found) {
        App::log(QStringLiteral("No flavour [") + folderName + QStringLiteral("] in [") +
                 (root ? pathText(*root) : QString()) + QLatin1Char(']'));
        return false;
    }
    current = found;
    App::log(QStringLiteral("Using flavour [") + flavourList[*current].label() +
             QStringLiteral("] in [") + pathText(flavourList[*current].folder()) +
             QLatin1Char(']'));
    return true;
}

void WowInstallation::refreshFlavours() {
    std::lock_guard guard(lock);
    initialize();
    if (!installed || !root)
        return;
    const std::optional<QString> kept =
        current ? std::optional<QString>(flavourList[*current].folderName()) : std::nullopt;
    readFlavours();
    current = kept ? findFlavour(*kept) : std::nullopt;
    if (!current)
        current = defaultFlavour();
}

std::optional<std::size_t> WowInstallation::findFlavour(const QString& folderName) const {
    for (std::size_t i = 0; i < flavourList.size(); ++i)
        if (flavourList[i].sameFolder(folderName))
            return i;
    return std::nullopt;
}

void WowInstallation::discoverLayout(fs::path path, bool chosen) {
    fs::path folder = path;
    // "…/_retail_/" names the folder "_retail_".
    while (!folder.has_filename() && folder.has_parent_path() && folder.parent_path() != folder)
        folder = folder.parent_path();
    const QString leaf = nameOf(folder);
    pointedFlavour.reset();
    if (WowFlavour::isFlavourFolderName(leaf) && folder.has_parent_path() &&
        !WowFlavour::findExecutable(folder).empty()) {
        pointedFlavour = leaf;
        root = folder.parent_path();
        App::log(QStringLiteral("Path [") + pathText(path) + QStringLiteral("] is the flavour [") +
                 leaf + QStringLiteral("] of the installation [") + pathText(*root) +
                 QLatin1Char(']'));
    } else {
        root = folder;
    }
    readFlavours();
    current = chosen && pointedFlavour ? findFlavour(*pointedFlavour) : std::nullopt;
    if (!current)
        current = defaultFlavour();
    if (current)
        App::log(QStringLiteral("Using flavour [") + flavourList[*current].label() +
                 QStringLiteral("] in [") + pathText(flavourList[*current].folder()) +
                 QLatin1Char(']'));
}

void WowInstallation::readFlavours() {
    flavourList.clear();
    lastActive.reset();
    const fs::path buildFile =
        util::FileSystem::findEntryIgnoringCase(*root, BuildInfo::FileName.toStdU16String());
    const std::optional<BuildInfo> build =
        buildFile.empty() ? std::nullopt : BuildInfo::read(buildFile);
    if (!build)
        App::log(QStringLiteral("No .build.info in [") + pathText(*root) + QLatin1Char(']'));
    else
        for (const QString& problem : build->problems())
            App::log(QStringLiteral("Malformed .build.info [") + pathText(buildFile) +
                     QStringLiteral("]: ") + problem);
    if (build)
        lastActive = build->lastActivatedProduct();
    const auto versionOf = [&build](const QString& product) {
        const std::optional<BuildInfo::Row> row =
            build && !product.isEmpty() ? build->productRow(product) : std::nullopt;
        return row ? BuildInfo::value(*row, QStringLiteral("Version")) : QString();
    };

    for (auto& [folder, executable] : flavourFolders(*root)) {
        const QString name = nameOf(folder);
        QString product = readFlavorInfo(folder);
        if (product.isEmpty())
            product = WowFlavour::productForFolder(name);
        flavourList.emplace_back(folder, name, executable, product, versionOf(product));
    }
    std::sort(flavourList.begin(), flavourList.end(), [](const WowFlavour& a, const WowFlavour& b) {
        const int rankA = WowFlavour::sortRank(a.folderName());
        const int rankB = WowFlavour::sortRank(b.folderName());
        if (rankA != rankB)
            return rankA < rankB;
        return QString::compare(a.folderName(), b.folderName(), Qt::CaseInsensitive) < 0;
    });
    if (flavourList.empty()) {
        // The layout of older games: the folder is the game itself.
        // Its product is what ".build.info" says, if anything: its only row,
        // else the row its executable stands for.
        const fs::path executable = WowFlavour::findExecutable(*root);
        QString product;
        if (build && build->rows().size() == 1)
            product = BuildInfo::value(build->rows().front(), QStringLiteral("Product"));
        else if (const QString guess = productForExecutable(executable);
                 build && !guess.isEmpty() && build->productRow(guess))
            product = guess;
        flavourList.emplace_back(*root, QString(), executable, product, versionOf(product));
    }
    for (const WowFlavour& flavour : flavourList)
        App::log(QStringLiteral("Found flavour [") + flavour.label() + QStringLiteral("] in [") +
                 pathText(flavour.folder()) + QStringLiteral("] product [") + flavour.product() +
                 QLatin1Char(']'));
}

std::optional<std::size_t> WowInstallation::defaultFlavour() const {
    if (flavourList.empty())
        return std::nullopt;
    if (lastActive)
        for (std::size_t i = 0; i < flavourList.size(); ++i)
            if (QString::compare(flavourList[i].product(), *lastActive, Qt::CaseInsensitive) == 0)
                return i;
    if (const std::optional<std::size_t> retail = findFlavour(QStringLiteral("_retail_")))
        return retail;
    return std::size_t{0};
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
    initializeFromRegistryValue(RegistryKey, RegistryValueName, true);
    if (installed)
        return;
    // The launcher also records where it installed the game for Windows'
    // list of programs.
    App::log(QStringLiteral("Uninstall key: ") + platform::Registry::fullName(UninstallKey));
    initializeFromRegistryValue(UninstallKey, UninstallValueName, false);
}

void WowInstallation::initializeFromRegistryValue(const QString& key, const QString& valueName,
                                                  bool first) {
    if (!registry->keyExists(key)) {
        App::log(QStringLiteral(" ... does not exist"));
        return;
    }
    const std::optional<platform::Registry::Value> value = registry->readValue(key, valueName);
    if (!value) {
        App::log(QStringLiteral(" ... does not have [") + valueName + QLatin1Char(']'));
        return;
    }
    App::log(QStringLiteral("value: ") + value->toString());
    if (value->type != platform::Registry::ValueType::String) {
        App::log(QStringLiteral("value.type == ") + value->typeName());
        return;
    }
    App::log(QStringLiteral("path: ") + value->data);
    // A later value that cannot be used keeps the path an earlier one gave.
    const std::optional<fs::path> path = localPath(value->data);
    if (!path && !first)
        return;
    root = path;
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
