#include "client/model/DownloadRecognizer.h"
#include "client/model/AddonManager.h"
#include "client/model/AddonPackage.h"
#include "client/model/Client.h"
#include "client/model/ClientEventHandler.h"
#include "client/model/ClientOptions.h"
#include "client/model/ClientRepository.h"
#include "client/model/DownloadAttributes.h"
#include "client/model/DownloadItem.h"
#include "client/model/DownloadManager.h"
#include "client/model/DownloadSourceManager.h"
#include "client/model/Downloader.h"
#include "client/model/EventDispatcher.h"
#include "client/model/RecognizedItem.h"
#include "client/wow/InstalledWowAddon.h"
#include "client/wow/WowInstallation.h"
#include "lib/util/Error.h"
#include "platform/InMemoryRegistry.h"
#include "tests/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <mutex>

using namespace plenfox::client::model;
using plenfox::client::wow::InstalledWowAddon;
using plenfox::client::wow::WowInstallation;
using plenfox::test::readFile;
using plenfox::test::TestEnvironment;
using plenfox::test::writeFile;
namespace fs = std::filesystem;

namespace {

fs::path fixture(const char* folder, const char* name) {
    return fs::path(PLENFOX_TEST_DATA_DIR) / folder / name;
}

// Stands in for the main window: records the download, recognizer and addon
// events into one list, in delivery order. Like the downloads panel it can
// install every freshly recognized item through the dispatcher.
class EventLog : public DownloadListener,
                 public DownloadRecognizerListener,
                 public AddonChangeListener,
                 public ClientEventHandler {
public:
    void beforeRefreshDownloads() override { record("beforeRefreshDownloads"); }
    void afterRefreshDownloads() override { record("afterRefreshDownloads"); }
    void downloadStarted(const std::shared_ptr<DownloadItem>&) override {
        record("downloadStarted");
    }
    void downloadProgress(const std::shared_ptr<DownloadItem>&) override {
        record("downloadProgress");
    }
    void downloadCompleted(const std::shared_ptr<DownloadItem>&) override {
        record("downloadCompleted");
    }
    void downloadRemoved(const std::shared_ptr<DownloadItem>&) override {
        record("downloadRemoved");
    }

    void afterRefreshRecognized() override { record("afterRefreshRecognized"); }
    void beforeRefreshRecognized() override { record("beforeRefreshRecognized"); }
    void onRecognized(const std::shared_ptr<RecognizedItem>& item) override {
        record("onRecognized", item);
        if (autoInstall) {
            AddonManager* manager = client->getAddonManager();
            client->getEventDispatcher()->invokeLater([manager, item] { manager->install(item); },
                                                      QStringLiteral("install"));
        }
    }
    void onRecognizedItemRemoved(const std::shared_ptr<RecognizedItem>& item) override {
        record("onRecognizedItemRemoved", item);
    }

    void addonInstalled(AddonManager&, const std::shared_ptr<InstalledWowAddon>& addon) override {
        record("addonInstalled:" + addon->getName().toStdString());
    }
    void addonRemoved(AddonManager&, const std::shared_ptr<InstalledWowAddon>& addon) override {
        record("addonRemoved:" + addon->getName().toStdString());
    }
    void afterPackageInstalled(AddonManager&, const std::shared_ptr<AddonPackage>&) override {
        record("afterPackageInstalled");
    }
    void afterRefresh(AddonManager&) override { record("afterRefresh"); }
    void beforePackageInstalled(AddonManager&, const std::shared_ptr<AddonPackage>&) override {
        record("beforePackageInstalled");
    }
    void beforeRefresh(AddonManager&) override { record("beforeRefresh"); }

    AddonChangeListener* getAddonChangeListener() override { return this; }
    ClientLifetimeListener* getClientLifetimeListener() override { return nullptr; }
    DownloadListener* getDownloadListener() override { return this; }
    DownloadRecognizerListener* getDownloadRecognizerListener() override {
        return withRecognizerListener ? this : nullptr;
    }
    UpdateListener* getUpdateListener() override { return nullptr; }

    QStringList take() {
        std::lock_guard guard(lock);
        items.clear();
        return std::exchange(events, {});
    }
    // The items of the recognizer events since the last take().
    std::vector<std::shared_ptr<RecognizedItem>> recognizerItems() {
        std::lock_guard guard(lock);
        return items;
    }

    Client* client = nullptr;
    bool autoInstall = false;
    bool withRecognizerListener = true;

private:
    void record(const std::string& event, std::shared_ptr<RecognizedItem> item = nullptr) {
        std::lock_guard guard(lock);
        events << QString::fromStdString(event);
        if (item)
            items.push_back(std::move(item));
    }

    std::mutex lock;
    QStringList events;
    std::vector<std::shared_ptr<RecognizedItem>> items;
};

class DownloadRecognizerTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = env.scratch() / "Game";
        addonRoot = game / "interface" / "addons";
        fs::create_directories(addonRoot);
    }
    void TearDown() override {
        if (client)
            client->shutdown();
    }

    void start() {
        client = std::make_unique<Client>(
            &log, std::make_unique<ClientRepository>(env.scratch() / "data"),
            std::make_unique<WowInstallation>(
                std::make_shared<plenfox::platform::InMemoryRegistry>(),
                [](const QString&) { return std::nullopt; }));
        log.client = client.get();
        auto options = std::make_shared<ClientOptions>();
        options->setWowFolder(game);
        ASSERT_TRUE(client->initialize(options));
    }

    DownloadRecognizer& recognizer() { return *client->getDownloadRecognizer(); }
    AddonManager& addons() { return *client->getAddonManager(); }
    DownloadManager& downloads() { return *client->getDownloadManager(); }
    fs::path downloadFolder() const { return env.scratch() / "data" / "downloads"; }

    // Waits until the events posted so far have run, and the events those
    // posted in turn, down to a depth no chain here reaches (a completed
    // download, its recognition, the install task, the package's events and
    // the rebuild they cause make five).
    void settle() {
        for (int depth = 0; depth < 8; ++depth)
            client->getEventDispatcher()->sink();
    }
    // The events delivered since the last call, joined by blanks.
    std::string events() {
        settle();
        return log.take().join(' ').toStdString();
    }

    std::shared_ptr<RecognizedItem> recognizedFile(const QString& name) {
        return recognizer().lookup(downloads().getByFile(downloadFolder() / name.toStdU16String()));
    }

    void installAddon(const char* name, const char* version) {
        writeFile(addonRoot / name / (std::string(name) + ".toc"),
                  QByteArray("## Version: ") + version + "\n");
    }

    // Streams a file through an accepted download in blocks of this size.
    std::shared_ptr<Downloader> download(const fs::path& source, const QString& name,
                                         const QString& page = QString(), qsizetype block = 700) {
        const QByteArray bytes = readFile(source);
        auto downloader = recognizer().handleDownload(
            {name, bytes.size(), QStringLiteral("application/zip"), page, QString()});
        if (!downloader)
            return nullptr;
        for (qsizetype at = 0; at < bytes.size(); at += block)
            if (!downloader->receivedData(
                    QByteArrayView(bytes).sliced(at).first(std::min(block, bytes.size() - at))))
                return nullptr;
        downloader->complete();
        return downloader;
    }

    TestEnvironment env;
    EventLog log;
    fs::path game;
    fs::path addonRoot;
    std::unique_ptr<Client> client;
};

QStringList namesAndVersions(const std::vector<AddonMetadata>& infos) {
    QStringList result;
    for (const AddonMetadata& info : infos)
        result << info.getName() + "," + info.getVersion() + "," + info.getPackageName() +
                      (info.getInstalled() ? ",installed" : ",missing");
    return result;
}

} // namespace

TEST_F(DownloadRecognizerTest, AcceptsOnlyZipTypesFromOneByteTo32MiB) {
    start();
    struct Case {
        const char* mime;
        const char* name;
        qint64 length;
        bool accepted;
    };
    const Case cases[] = {
        {"application/zip", "exact.zip", 33'554'432, true},
        {"APPLICATION/ZIP", "upper.zip", 1, true},
        {"Application/X-Zip-Compressed", "legacy", 10, true},
        {"application/zip", "over.zip", 33'554'433, false},
        {"application/zip", "empty.zip", 0, false},
        {"application/zip", "unknown.zip", -1, false},
        {"application/octet-stream", "named.zip", 10, false},
        {"application/zip ", "blank.zip", 10, false},
        {nullptr, "nomime.zip", 10, false},
        {"application/zip", nullptr, 10, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "null name");
        const DownloadAttributes attributes{
            c.name ? QString::fromLatin1(c.name) : QString(), c.length,
            c.mime ? QString::fromLatin1(c.mime) : QString(), QString(), QString()};
        const auto downloader = recognizer().handleDownload(attributes);
        EXPECT_EQ(downloader != nullptr, c.accepted);
        if (c.name) {
            EXPECT_EQ(downloads().getByFile(downloadFolder() / c.name) != nullptr, c.accepted);
        }
    }
}

TEST_F(DownloadRecognizerTest, RecognizesPackagesWithTheInstalledStateOfEachAddon) {
    installAddon("Ant", "a1");
    installAddon("Bee", "b0"); // another version than the package's
    installAddon("Solo", "1.0");
    fs::create_directories(downloadFolder());
    fs::copy_file(fixture("recognizer", "Trio.zip"), downloadFolder() / "Trio.zip");
    fs::copy_file(fixture("recognizer", "Solo-1.0.zip"), downloadFolder() / "Solo-1.0.zip");
    fs::copy_file(fixture("manager", "Loose.zip"), downloadFolder() / "Loose.zip");
    start();

    const auto trio = recognizedFile("Trio.zip");
    ASSERT_TRUE(trio);
    EXPECT_TRUE(trio->isWowAddon());
    EXPECT_EQ(trio->getTotalAddons(), 3);
    EXPECT_EQ(trio->getInstalledCount(), 1);
    EXPECT_FALSE(trio->getAllAddonsInstalled());
    EXPECT_EQ(namesAndVersions(trio->getAddonInfo()),
              QStringList({"Ant,a1,Trio.zip,installed", "Bee,b1,Trio.zip,missing",
                           "Cat,c1,Trio.zip,missing"}));

    const auto solo = recognizedFile("Solo-1.0.zip");
    ASSERT_TRUE(solo);
    EXPECT_EQ(solo->getTotalAddons(), 1);
    EXPECT_EQ(solo->getInstalledCount(), 1);
    EXPECT_TRUE(solo->getAllAddonsInstalled());

    const auto loose = recognizedFile("Loose.zip");
    ASSERT_TRUE(loose);
    EXPECT_FALSE(loose->isWowAddon());
    EXPECT_EQ(loose->getTotalAddons(), 0);
    EXPECT_FALSE(loose->getAllAddonsInstalled());
    EXPECT_TRUE(loose->getAddonInfo().empty());
    EXPECT_TRUE(loose->getDocumentUrl().isNull());

    // Only installed addons in the installed version lead back to a package.
    EXPECT_EQ(recognizer().lookup(addons().getAddonByName("Ant")), trio);
    EXPECT_EQ(recognizer().lookup(addons().getAddonByName("Solo")), solo);
    EXPECT_EQ(recognizer().lookup(addons().getAddonByName("Bee")), nullptr);
    EXPECT_EQ(addons().getContainingDownload(addons().getAddonByName("Ant")), trio);
    const QString p = DownloadRecognizer::Prefix;
    EXPECT_TRUE(env.logContains(p + ".recognize: associated addon [Ant,a1]"));
    EXPECT_TRUE(env.logContains(p + ".recognize: associated addon [Solo,1.0]"));
    EXPECT_TRUE(env.logContains(p + ".recognize: unable to find addon [Bee,b1]"));
    EXPECT_TRUE(env.logContains(p + ".recognize: unable to find addon [Cat,c1]"));

    // The file's time in the user's locale.
    const QDateTime modified =
        QFileInfo(QString::fromStdU16String((downloadFolder() / "Trio.zip").u16string()))
            .lastModified();
    EXPECT_EQ(trio->getDateString(), RecognizedItem::formatDate(modified, QLocale::system()));
    EXPECT_FALSE(trio->getDateString().isEmpty());

    // A rebuild makes new items, and no onRecognized is sent for them.
    events();
    recognizer().refreshRecognizedItems();
    EXPECT_EQ(events(), "beforeRefreshRecognized afterRefreshRecognized");
    EXPECT_NE(recognizedFile("Trio.zip"), trio);
    EXPECT_EQ(recognizer().getRecognizedItems().size(), 3u);
}

TEST_F(DownloadRecognizerTest, AddonChangesRebuildTheItemsAndTheLookupTable) {
    installAddon("Ant", "a1");
    installAddon("Cat", "c1");
    fs::create_directories(downloadFolder());
    fs::copy_file(fixture("recognizer", "Trio.zip"), downloadFolder() / "Trio.zip");
    start();
    events();
    const auto before = recognizedFile("Trio.zip");
    ASSERT_EQ(before->getInstalledCount(), 2);
    const auto ant = addons().getAddonByName("Ant");

    addons().removeAddons({ant});
    EXPECT_EQ(events(), "addonRemoved:Ant beforeRefreshRecognized afterRefreshRecognized");
    const auto after = recognizedFile("Trio.zip");
    EXPECT_NE(after, before);
    EXPECT_EQ(after->getInstalledCount(), 1);
    EXPECT_EQ(namesAndVersions(after->getAddonInfo()).first(), "Ant,a1,Trio.zip,missing");
    EXPECT_EQ(recognizer().lookup(ant), nullptr);
    EXPECT_EQ(recognizer().lookup(addons().getAddonByName("Cat")), after);

    // Installing the item's own package makes every addon installed.
    addons().install(after);
    events();
    const auto installed = recognizedFile("Trio.zip");
    EXPECT_TRUE(installed->getAllAddonsInstalled());
    EXPECT_EQ(installed->getInstalledCount(), 3);
    EXPECT_EQ(recognizer().lookup(addons().getAddonByName("Bee")), installed);
    EXPECT_EQ(readFile(addonRoot / "Cat" / "Media" / "cat.txt"), QByteArray("meow\n"));
}

TEST_F(DownloadRecognizerTest, RemovedOrReplacedDownloadsDropTheirItem) {
    start();
    ASSERT_TRUE(download(fixture("recognizer", "Solo-1.0.zip"), "Solo.zip"));
    events();
    const auto first = recognizedFile("Solo.zip");
    ASSERT_TRUE(first);

    // The same name again: the old download and its item go first.
    ASSERT_TRUE(download(fixture("recognizer", "Trio.zip"), "Solo.zip"));
    const QStringList replaced = QString::fromStdString(events()).split(' ');
    EXPECT_LT(replaced.indexOf("onRecognizedItemRemoved"), replaced.indexOf("onRecognized"));
    EXPECT_EQ(replaced.count("onRecognizedItemRemoved"), 1);
    EXPECT_EQ(recognizer().getRecognizedItems().size(), 1u);
    const auto second = recognizedFile("Solo.zip");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->getTotalAddons(), 3);

    downloads().deleteDownload(second->getItem());
    settle();
    EXPECT_EQ(log.recognizerItems(), std::vector<std::shared_ptr<RecognizedItem>>{second});
    EXPECT_EQ(events(), "downloadRemoved onRecognizedItemRemoved");
    EXPECT_TRUE(recognizer().getRecognizedItems().empty());
    EXPECT_EQ(recognizer().lookup(second->getItem()), nullptr);
}

TEST_F(DownloadRecognizerTest, ARunningDownloadIsNotReadDuringARebuild) {
    start();
    const QByteArray bytes = readFile(fixture("recognizer", "Trio.zip"));
    auto downloader = recognizer().handleDownload(
        {"Trio.zip", bytes.size(), "application/zip", QString(), QString()});
    ASSERT_TRUE(downloader);
    ASSERT_TRUE(downloader->receivedData(bytes.first(bytes.size() / 2)));
    const int errorsBefore = env.app().getExceptionCount();

    addons().refreshAddonsAsync();
    events();
    EXPECT_EQ(recognizedFile("Trio.zip"), nullptr);
    EXPECT_EQ(env.app().getExceptionCount(), errorsBefore);

    ASSERT_TRUE(downloader->receivedData(bytes.sliced(bytes.size() / 2)));
    downloader->complete();
    events();
    ASSERT_TRUE(recognizedFile("Trio.zip"));
    EXPECT_EQ(recognizedFile("Trio.zip")->getTotalAddons(), 3);
}

TEST_F(DownloadRecognizerTest, InstallBracketAdmitsOneInstallationAtATime) {
    start();
    ASSERT_TRUE(download(fixture("recognizer", "Solo-1.0.zip"), "Solo.zip"));
    events();
    const auto item = recognizedFile("Solo.zip");
    ASSERT_TRUE(item);

    EXPECT_TRUE(item->beginInstalling());
    EXPECT_TRUE(item->isInstalling());
    EXPECT_FALSE(item->beginInstalling());
    addons().install(item); // refused: an installation is running
    EXPECT_FALSE(fs::exists(addonRoot / "Solo"));
    item->endInstalling();
    EXPECT_FALSE(item->isInstalling());
    EXPECT_THROW(item->endInstalling(), plenfox::util::IllegalStateError);

    // A package that fails to extract still ends its installation.
    fs::copy_file(fixture("manager", "Broken.zip"), downloadFolder() / "Broken.zip");
    downloads().refresh();
    events();
    const auto broken = recognizedFile("Broken.zip");
    ASSERT_TRUE(broken && broken->isWowAddon());
    addons().install(broken);
    EXPECT_TRUE(env.logContains(AddonManager::Prefix + ".extractTo failed"));
    EXPECT_FALSE(broken->isInstalling());
    EXPECT_TRUE(broken->beginInstalling());
    broken->endInstalling();
}

TEST_F(DownloadRecognizerTest, DatesUseTheLocalesMediumFormsAndUnknownTimesAreEmpty) {
    const QDateTime time(QDate(2013, 1, 12), QTime(15, 4, 5));
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(RecognizedItem::mediumDateFormat(us), "MMM d, yyyy");
    EXPECT_TRUE(RecognizedItem::formatDate(time, us).startsWith("Jan 12, 2013 3:04:05"));
    EXPECT_TRUE(RecognizedItem::formatDate(time, us).endsWith("PM"));
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(RecognizedItem::formatDate(time, german), "12. Jan. 2013 15:04:05");

    start();
    ASSERT_TRUE(download(fixture("recognizer", "Solo-1.0.zip"), "Epoch.zip"));
    QFile file(QString::fromStdU16String((downloadFolder() / "Epoch.zip").u16string()));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::fromMSecsSinceEpoch(0, QTimeZone::utc()),
                                 QFileDevice::FileModificationTime));
    file.close();
    downloads().refresh();
    events();
    const auto item = recognizedFile("Epoch.zip");
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->getDateString().isEmpty());
    EXPECT_FALSE(item->getDateString().isNull());
    EXPECT_TRUE(item->isWowAddon());
}

TEST_F(DownloadRecognizerTest, WithoutAWindowListenerTheEmptyAdapterIsReported) {
    log.withRecognizerListener = false;
    start();
    const qsizetype report = env.logIndexOf(DownloadRecognizer::Prefix + ".listenerReport: ");
    ASSERT_GE(report, 0);
    EXPECT_TRUE(env.logLines()[report].contains("DownloadRecognizerListenerAdapter"));
    // Reported after the addon manager and before the source manager.
    EXPECT_GT(report, env.logIndexOf(AddonManager::Prefix + ".listenerReport:"));
    EXPECT_LT(report, env.logIndexOf(DownloadSourceManager::Prefix + ".listenerReport:"));
    // First of the download listeners.
    EXPECT_TRUE(env.logContains("listenerReport: pri[-2147483648]: "
                                "plenfox::client::model::DownloadRecognizer@"));
    // Events still flow to nobody without harm.
    ASSERT_TRUE(download(fixture("recognizer", "Solo-1.0.zip"), "Solo.zip"));
    events();
    EXPECT_TRUE(recognizedFile("Solo.zip"));
}

// The road of a download from the browser's offer to the installed addon,
// without a browser: the bytes are fed the way the browser feeds them.
TEST_F(DownloadRecognizerTest, DownloadedPackageIsRecognizedAndInstalledEndToEnd) {
    log.autoInstall = true;
    start();
    // A standing clock: the first block is reported, the others fall within a second.
    downloads().setClock([] { return qint64{1'000'000}; });
    events();
    const QString page = QStringLiteral("https://addons.example/alpha");

    // Made by Info-ZIP zip from tests/data/recognizer/src, fed in 4 kB blocks.
    const fs::path source = fixture("recognizer", "Gallery.zip");
    ASSERT_TRUE(download(source, "Gallery-3.1.zip", page, 4096));

    EXPECT_EQ(events(), "downloadStarted downloadProgress downloadCompleted onRecognized "
                        "beforePackageInstalled addonInstalled:Gallery afterPackageInstalled "
                        "beforeRefreshRecognized afterRefreshRecognized");

    // The files arrived byte for byte.
    const fs::path sources = fixture("recognizer", "src");
    for (const char* file : {"Gallery/Gallery.toc", "Gallery/Gallery.lua",
                             "Gallery/Media/Icons/icon.tga", "Gallery/Media/readme.txt"})
        EXPECT_EQ(readFile(addonRoot / file), readFile(sources / file)) << file;
    EXPECT_EQ(readFile(downloadFolder() / "Gallery-3.1.zip"), readFile(source));

    // The addon list holds it, and it leads back to its download.
    const auto gallery = addons().getAddonByName("Gallery");
    ASSERT_TRUE(gallery);
    EXPECT_EQ(addons().getAddonsSize(), 1);
    EXPECT_EQ(gallery->getInternalVersion(), "3.1");
    const auto item = recognizedFile("Gallery-3.1.zip");
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->getAllAddonsInstalled());
    EXPECT_FALSE(item->isInstalling());
    EXPECT_EQ(item->getDocumentUrl(), page);
    EXPECT_EQ(item->getAddonInfo().front().getDocumentUrl(), page);
    EXPECT_EQ(addons().getContainingDownload(gallery), item);
    EXPECT_EQ(addons().getBrowseUrl(gallery), page);

    // An addon that came from no known download is searched for.
    installAddon("Stray", "1");
    addons().refreshAddons();
    events();
    EXPECT_EQ(addons().getBrowseUrl(addons().getAddonByName("Stray")),
              AddonManager::getSearchUrl("Stray"));
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}
