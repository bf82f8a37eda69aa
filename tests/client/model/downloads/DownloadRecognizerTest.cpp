#include "client/model/downloads/DownloadRecognizer.h"
#include "client/model/Client.h"
#include "client/model/ClientRepository.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/downloads/DownloadAttributes.h"
#include "client/model/downloads/DownloadItem.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/downloads/DownloadSourceManager.h"
#include "client/model/downloads/Downloader.h"
#include "client/model/downloads/RecognizedItem.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/WowInstallation.h"
#include "lib/util/Error.h"
#include "platform/InMemoryRegistry.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QTimeZone>
#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <latch>
#include <mutex>

using namespace plenfox::client::model;
using plenfox::client::wow::InstalledWowAddon;
using plenfox::test::readFile;
using plenfox::test::writeFile;
namespace fs = std::filesystem;

namespace {

using Item = std::shared_ptr<DownloadItem>;
using Recognized = std::shared_ptr<RecognizedItem>;
using Addon = std::shared_ptr<InstalledWowAddon>;
using Package = std::shared_ptr<AddonPackage>;

fs::path fixture(const char* folder, const char* name) {
    return fs::path(PLENFOX_TEST_DATA_DIR) / folder / name;
}

QString text(const fs::path& path) {
    return QString::fromStdU16String(path.u16string());
}

// Stands in for the main window: records download, recognizer and addon
// events into one list in delivery order and, like the downloads panel, may
// post the installation of every freshly recognized item.
class EventLog : public DownloadListener,
                 public DownloadRecognizerListener,
                 public AddonChangeListener,
                 public ClientEventHandler {
public:
    void beforeRefreshDownloads() override { record("beforeRefreshDownloads"); }
    void afterRefreshDownloads() override { record("afterRefreshDownloads"); }
    void downloadStarted(const Item&) override { record("downloadStarted"); }
    void downloadProgress(const Item&) override { record("downloadProgress"); }
    void downloadCompleted(const Item&) override { record("downloadCompleted"); }
    void downloadRemoved(const Item&) override { record("downloadRemoved"); }

    void afterRefreshRecognized() override { record("afterRefreshRecognized"); }
    void beforeRefreshRecognized() override { record("beforeRefreshRecognized"); }
    void onRecognized(const Recognized& item) override {
        record("onRecognized", item);
        if (autoInstall) {
            const auto manager = client->getAddonManager();
            client->getEventDispatcher()->invokeLater([manager, item] { manager->install(item); });
        }
    }
    void onRecognizedItemRemoved(const Recognized& item) override {
        record("onRecognizedItemRemoved", item);
    }

    void addonInstalled(AddonManager&, const Addon& addon) override {
        record("addonInstalled:" + addon->getName());
    }
    void addonRemoved(AddonManager&, const Addon& addon) override {
        record("addonRemoved:" + addon->getName());
    }
    void afterPackageInstalled(AddonManager&, const Package&) override {
        record("afterPackageInstalled");
    }
    void afterRefresh(AddonManager&) override { record("afterRefresh"); }
    void beforePackageInstalled(AddonManager&, const Package&) override {
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

    // The events since the last call, joined by blanks, and the items that
    // came with recognizer events.
    std::string take(std::vector<Recognized>* carried = nullptr) {
        std::lock_guard guard(lock);
        if (carried)
            *carried = items;
        items.clear();
        return std::exchange(events, {}).join(' ').toStdString();
    }

    Client* client = nullptr;
    bool autoInstall = false;
    bool withRecognizerListener = true;

private:
    void record(const QString& event, Recognized item = nullptr) {
        std::lock_guard guard(lock);
        events << event;
        if (item)
            items.push_back(std::move(item));
    }

    std::mutex lock;
    QStringList events;
    std::vector<Recognized> items;
};

class DownloadRecognizerTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(addonRoot); }
    void TearDown() override {
        if (client)
            client->shutdown();
    }

    void start() {
        client = std::make_unique<Client>(
            &log, std::make_unique<ClientRepository>(env.scratch() / "data"),
            std::make_unique<plenfox::client::wow::WowInstallation>(
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

    // The events delivered since the last call. A completed download, its
    // recognition, the install task, the package's events and the rebuild
    // they cause chain five events deep.
    std::string events(std::vector<Recognized>* carried = nullptr) {
        plenfox::test::settle(*client);
        return log.take(carried);
    }

    Recognized recognizedFile(const char* name) {
        return recognizer().lookup(downloads().getByFile(downloadFolder() / name));
    }
    void installAddon(const char* name, const char* version) {
        writeFile(addonRoot / name / (std::string(name) + ".toc"),
                  QByteArray("## Version: ") + version + "\n");
    }
    void putDownload(const char* folder, const char* name) {
        fs::create_directories(downloadFolder());
        fs::copy_file(fixture(folder, name), downloadFolder() / name);
    }

    // Streams a file through an accepted download, in blocks as the browser does.
    bool download(const fs::path& source, const QString& name, const QString& page = QString(),
                  qsizetype block = 700) {
        const QByteArray bytes = readFile(source);
        auto downloader =
            recognizer().handleDownload({name, bytes.size(), "application/zip", page, QString()});
        if (!downloader)
            return false;
        for (qsizetype at = 0; at < bytes.size(); at += block)
            if (!downloader->receivedData(bytes.sliced(at, std::min(block, bytes.size() - at))))
                return false;
        downloader->complete();
        return true;
    }

    plenfox::test::TestEnvironment env;
    EventLog log;
    const fs::path game = env.scratch() / "Game";
    const fs::path addonRoot = game / "interface" / "addons";
    std::unique_ptr<Client> client;
};

QStringList describe(const std::vector<AddonMetadata>& infos) {
    QStringList result;
    for (const AddonMetadata& info : infos)
        result << info.getName() + "," + info.getVersion() + "," + info.getPackageName() +
                      (info.getInstalled() ? ",installed" : ",missing");
    return result;
}

} // namespace

TEST_F(DownloadRecognizerTest, AcceptsZipsOfUpTo32MiBOrOfUnknownLengthAndSaysWhyNot) {
    log.withRecognizerListener = false;
    start();
    // The browser panel reaches the recognizer through the download manager.
    EXPECT_EQ(downloads().getDownloadRecognizer(), &recognizer());
    using Refusal = DownloadRecognizer::Refusal;
    struct Case {
        const char* mime;
        const char* name;
        qint64 length;
        Refusal refusal;
    };
    for (const Case& c :
         {Case{"application/zip", "exact.zip", 33'554'432, Refusal::None},
          Case{"APPLICATION/ZIP", "upper.zip", 1, Refusal::None},
          Case{"Application/X-Zip-Compressed", "legacy", 10, Refusal::None},
          Case{"application/zip", "over.zip", 33'554'433, Refusal::TooLarge},
          Case{"application/zip", "empty.zip", 0, Refusal::Empty},
          // Many servers send no length; the download is capped as it arrives.
          Case{"application/zip", "unknown.zip", -1, Refusal::None},
          // A generic type leaves it to the name.
          Case{"application/octet-stream", "named.zip", 10, Refusal::None},
          Case{"Binary/Octet-Stream", "Some Addon 1.2.ZIP", -1, Refusal::None},
          Case{"application/octet-stream", "manual.pdf", 10, Refusal::NotZip},
          Case{"application/octet-stream", "huge.zip", 33'554'433, Refusal::TooLarge},
          Case{"application/pdf", "fake.zip", 10, Refusal::NotZip},
          Case{"text/html", "page.zip", 10, Refusal::NotZip},
          Case{nullptr, "nomime.zip", 10, Refusal::NotZip},
          Case{"application/zip", nullptr, 10, Refusal::NotZip}}) {
        SCOPED_TRACE(c.name ? c.name : "null name");
        const DownloadAttributes attributes{QString::fromLatin1(c.name), c.length,
                                            QString::fromLatin1(c.mime), QString(), QString()};
        EXPECT_EQ(DownloadRecognizer::check(attributes), c.refusal);
        const bool accepted = c.refusal == Refusal::None;
        EXPECT_EQ(recognizer().handleDownload(attributes) != nullptr, accepted);
        if (c.name) {
            EXPECT_EQ(downloads().getByFile(downloadFolder() / c.name) != nullptr, accepted);
        }
    }

    // Each refusal says why, with what the site announced.
    const DownloadAttributes large{QStringLiteral("big.zip"), 41'943'040,
                                   QStringLiteral("application/zip"), QString(), QString()};
    EXPECT_EQ(DownloadRecognizer::refusalText(Refusal::TooLarge, large),
              QStringLiteral("it is larger than 32 MB (the site announced 40.0 MB, 41943040 "
                             "bytes)."));
    const DownloadAttributes pdf{QStringLiteral("guide.pdf"), 9, QStringLiteral("application/pdf"),
                                 QString(), QString()};
    EXPECT_EQ(DownloadRecognizer::refusalText(Refusal::NotZip, pdf),
              QStringLiteral("it is not a zip file (its type is application/pdf)."));
    EXPECT_EQ(DownloadRecognizer::refusalText(Refusal::Empty, large),
              QStringLiteral("the site announced an empty file."));

    // Without a window listener the empty adapter stands in, reported after
    // the addon manager; the recognizer is the download manager's first listener.
    const qsizetype report = env.logIndexOf(DownloadRecognizer::Prefix + ".listenerReport: ");
    EXPECT_TRUE(env.logLines().value(report).contains("DownloadRecognizerListenerAdapter@"));
    EXPECT_GT(report, env.logIndexOf(AddonManager::Prefix + ".listenerReport:"));
    EXPECT_LT(report, env.logIndexOf(DownloadSourceManager::Prefix + ".listenerReport:"));
    EXPECT_TRUE(env.logContains(
        "listenerReport: pri[-2147483648]: plenfox::client::model::DownloadRecognizer@"));
}

TEST_F(DownloadRecognizerTest, RecognizesPackagesWithTheInstalledStateOfEachAddon) {
    installAddon("Ant", "a1");
    installAddon("Bee", "b0"); // not the package's version
    installAddon("Solo", "1.0");
    putDownload("recognizer", "Trio.zip");
    putDownload("recognizer", "Solo-1.0.zip");
    putDownload("manager", "Loose.zip");
    start();

    const auto trio = recognizedFile("Trio.zip");
    ASSERT_TRUE(trio);
    EXPECT_TRUE(trio->isWowAddon());
    EXPECT_EQ(trio->getTotalAddons(), 3);
    EXPECT_EQ(trio->getInstalledCount(), 1);
    EXPECT_FALSE(trio->getAllAddonsInstalled());
    EXPECT_EQ(describe(trio->getAddonInfo()),
              QStringList({"Ant,a1,Trio.zip,installed", "Bee,b1,Trio.zip,missing",
                           "Cat,c1,Trio.zip,missing"}));
    const QDateTime modified = QFileInfo(text(downloadFolder() / "Trio.zip")).lastModified();
    EXPECT_EQ(trio->getDateString(), RecognizedItem::formatDate(modified, QLocale::system()));

    const auto solo = recognizedFile("Solo-1.0.zip");
    ASSERT_TRUE(solo);
    EXPECT_EQ(solo->getTotalAddons(), 1);
    EXPECT_EQ(solo->getInstalledCount(), 1);
    EXPECT_TRUE(solo->getAllAddonsInstalled());

    const auto loose = recognizedFile("Loose.zip");
    ASSERT_TRUE(loose);
    EXPECT_FALSE(loose->isWowAddon());
    EXPECT_EQ(loose->getTotalAddons(), 0);
    EXPECT_TRUE(loose->getAddonInfo().empty());
    EXPECT_TRUE(loose->getDocumentUrl().isNull());

    // Only an addon installed in the package's version leads back to it.
    EXPECT_EQ(recognizer().lookup(addons().getAddonByName("Ant")), trio);
    EXPECT_EQ(addons().getContainingDownload(addons().getAddonByName("Solo")), solo);
    EXPECT_EQ(recognizer().lookup(addons().getAddonByName("Bee")), nullptr);
    const QString p = DownloadRecognizer::Prefix + ".recognize: ";
    EXPECT_TRUE(env.logContains(p + "associated addon [Ant,a1]"));
    EXPECT_TRUE(env.logContains(p + "unable to find addon [Bee,b1]"));
    EXPECT_TRUE(env.logContains(p + "unable to find addon [Cat,c1]"));

    // A rebuild makes new items and announces no recognition.
    events();
    recognizer().refreshRecognizedItems();
    EXPECT_EQ(events(), "beforeRefreshRecognized afterRefreshRecognized");
    EXPECT_NE(recognizedFile("Trio.zip"), trio);
    EXPECT_EQ(recognizer().getRecognizedItems().size(), 3u);
}

TEST_F(DownloadRecognizerTest, AddonChangesRebuildTheItemsAndTheLookupTable) {
    installAddon("Ant", "a1");
    installAddon("Cat", "c1");
    putDownload("recognizer", "Trio.zip");
    start();
    events();
    ASSERT_EQ(recognizedFile("Trio.zip")->getInstalledCount(), 2);
    const auto ant = addons().getAddonByName("Ant");

    addons().removeAddons({ant});
    EXPECT_EQ(events(), "addonRemoved:Ant beforeRefreshRecognized afterRefreshRecognized");
    const auto after = recognizedFile("Trio.zip");
    EXPECT_EQ(after->getInstalledCount(), 1);
    EXPECT_EQ(describe(after->getAddonInfo()).first(), "Ant,a1,Trio.zip,missing");
    EXPECT_EQ(recognizer().lookup(ant), nullptr);
    EXPECT_EQ(recognizer().lookup(addons().getAddonByName("Cat")), after);

    // A package of three addons rebuilds the items once, not once per addon.
    addons().install(after);
    const QStringList installEvents = QString::fromStdString(events()).split(' ');
    EXPECT_EQ(installEvents.count("addonInstalled:Ant") +
                  installEvents.count("addonInstalled:Bee") +
                  installEvents.count("addonInstalled:Cat"),
              3);
    EXPECT_EQ(installEvents.count("beforeRefreshRecognized"), 1);
    EXPECT_GT(installEvents.indexOf("beforeRefreshRecognized"),
              installEvents.indexOf("afterPackageInstalled"));
    const auto installed = recognizedFile("Trio.zip");
    EXPECT_TRUE(installed->getAllAddonsInstalled());
    EXPECT_EQ(installed->getInstalledCount(), 3);
    EXPECT_EQ(recognizer().lookup(addons().getAddonByName("Bee")), installed);
}

TEST_F(DownloadRecognizerTest, RemovedOrReplacedDownloadsDropTheirItem) {
    start();
    ASSERT_TRUE(download(fixture("recognizer", "Solo-1.0.zip"), "Solo.zip"));
    events();

    // The same name again: the old download and its item go first.
    ASSERT_TRUE(download(fixture("recognizer", "Trio.zip"), "Solo.zip"));
    const QStringList replaced = QString::fromStdString(events()).split(' ');
    EXPECT_EQ(replaced.count("onRecognizedItemRemoved"), 1);
    EXPECT_LT(replaced.indexOf("onRecognizedItemRemoved"), replaced.indexOf("onRecognized"));
    ASSERT_EQ(recognizer().getRecognizedItems().size(), 1u);
    const auto second = recognizedFile("Solo.zip");
    EXPECT_EQ(second->getTotalAddons(), 3);

    downloads().deleteDownload(second->getItem());
    std::vector<Recognized> carried;
    EXPECT_EQ(events(&carried), "downloadRemoved onRecognizedItemRemoved");
    EXPECT_EQ(carried, std::vector<Recognized>{second});
    EXPECT_TRUE(recognizer().getRecognizedItems().empty());
}

TEST_F(DownloadRecognizerTest, ARunningDownloadIsNotReadDuringARebuild) {
    start();
    const QByteArray bytes = readFile(fixture("recognizer", "Trio.zip"));
    auto downloader = recognizer().handleDownload(
        {"Trio.zip", bytes.size(), "application/zip", QString(), QString()});
    ASSERT_TRUE(downloader && downloader->receivedData(bytes.first(bytes.size() / 2)));

    addons().refreshAddonsAsync();
    events();
    EXPECT_EQ(recognizedFile("Trio.zip"), nullptr);
    EXPECT_EQ(env.app().getExceptionCount(), 0);

    ASSERT_TRUE(downloader->receivedData(bytes.sliced(bytes.size() / 2)));
    downloader->complete();
    events();
    ASSERT_TRUE(recognizedFile("Trio.zip"));
    EXPECT_EQ(recognizedFile("Trio.zip")->getTotalAddons(), 3);
}

TEST_F(DownloadRecognizerTest, InstallBracketAdmitsOneInstallationAtATime) {
    putDownload("recognizer", "Solo-1.0.zip");
    putDownload("manager", "Broken.zip");
    start();
    const auto item = recognizedFile("Solo-1.0.zip");
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->beginInstalling());
    EXPECT_FALSE(item->beginInstalling());
    addons().install(item); // refused while an installation runs
    EXPECT_FALSE(fs::exists(addonRoot / "Solo"));
    item->endInstalling();
    EXPECT_FALSE(item->isInstalling());
    EXPECT_THROW(item->endInstalling(), plenfox::util::IllegalStateError);

    // A package that fails to extract still ends its installation.
    const auto broken = recognizedFile("Broken.zip");
    ASSERT_TRUE(broken && broken->isWowAddon());
    addons().install(broken);
    EXPECT_TRUE(env.logContains(AddonManager::Prefix + ".extractTo failed"));
    EXPECT_FALSE(broken->isInstalling());
}

TEST_F(DownloadRecognizerTest, DatesUseTheLocalesMediumFormsAndAnUnknownTimeIsEmpty) {
    const QDateTime time(QDate(2013, 1, 12), QTime(15, 4, 5));
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(RecognizedItem::mediumDateFormat(us), "MMM d, yyyy");
    EXPECT_TRUE(RecognizedItem::formatDate(time, us).startsWith("Jan 12, 2013 3:04:05"));
    EXPECT_EQ(RecognizedItem::formatDate(time, QLocale(QLocale::German, QLocale::Germany)),
              "12. Jan. 2013 15:04:05");

    putDownload("recognizer", "Solo-1.0.zip");
    QFile file(text(downloadFolder() / "Solo-1.0.zip"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::fromMSecsSinceEpoch(0, QTimeZone::utc()),
                                 QFileDevice::FileModificationTime));
    file.close();
    start();
    const auto item = recognizedFile("Solo-1.0.zip");
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->getDateString().isEmpty());
    EXPECT_FALSE(item->getDateString().isNull());
}

// The road of a download from the browser's offer to the installed addon,
// without a browser: the bytes are fed the way the browser feeds them.
TEST_F(DownloadRecognizerTest, DownloadedPackageIsRecognizedAndInstalledEndToEnd) {
    log.autoInstall = true;
    start();
    // A standing clock: the first block is reported, the others fall within a second.
    downloads().setClock([] { return qint64{1'000'000}; });
    events();
    const QString page = QStringLiteral("https://addons.example/gallery");

    // Made by Info-ZIP zip from tests/data/recognizer/src, fed in 4 kB blocks.
    const fs::path source = fixture("recognizer", "Gallery.zip");
    ASSERT_TRUE(download(source, "Gallery-3.1.zip", page, 4096));

    EXPECT_EQ(events(), "downloadStarted downloadProgress downloadCompleted onRecognized "
                        "beforePackageInstalled addonInstalled:Gallery afterPackageInstalled "
                        "beforeRefreshRecognized afterRefreshRecognized");

    const fs::path sources = fixture("recognizer", "src");
    for (const char* file : {"Gallery/Gallery.toc", "Gallery/Gallery.lua",
                             "Gallery/Media/Icons/icon.tga", "Gallery/Media/readme.txt"})
        EXPECT_EQ(readFile(addonRoot / file), readFile(sources / file)) << file;

    const auto gallery = addons().getAddonByName("Gallery");
    ASSERT_TRUE(gallery);
    EXPECT_EQ(addons().getAddonsSize(), 1);
    EXPECT_EQ(gallery->getInternalVersion(), "3.1");
    const auto item = recognizedFile("Gallery-3.1.zip");
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->getAllAddonsInstalled());
    EXPECT_FALSE(item->isInstalling());
    EXPECT_EQ(item->getAddonInfo().front().getDocumentUrl(), page);
    EXPECT_EQ(addons().getContainingDownload(gallery), item);
    EXPECT_EQ(addons().getBrowseUrl(gallery), page);

    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

// A change of game folder restarts the client while the browser still feeds
// a download. The download ends through the new components: a complete one
// is announced, recognized and installed; a failed one leaves the list.
TEST_F(DownloadRecognizerTest, DownloadRunningAcrossARestartEndsThroughTheCurrentComponents) {
    log.autoInstall = true;
    start();
    events();
    const QByteArray bytes = readFile(fixture("recognizer", "Gallery.zip"));
    const qsizetype half = bytes.size() / 2;
    auto good = recognizer().handleDownload(
        {"Gallery-3.1.zip", bytes.size(), "application/zip", QString(), QString()});
    auto cut = recognizer().handleDownload(
        {"Cut.zip", bytes.size(), "application/zip", QString(), QString()});
    ASSERT_TRUE(good && cut);
    ASSERT_TRUE(good->receivedData(bytes.first(half)));
    ASSERT_TRUE(cut->receivedData(bytes.first(half)));

    client->shutdown();
    auto options = std::make_shared<ClientOptions>();
    options->setWowFolder(game);
    ASSERT_TRUE(client->initialize(options));
    events();
    // The running downloads are listed by the new manager, not as finished files.
    EXPECT_EQ(downloads().getByFile(downloadFolder() / "Gallery-3.1.zip"),
              std::dynamic_pointer_cast<DownloadItem>(good));
    EXPECT_EQ(downloads().getByFile(downloadFolder() / "Cut.zip"),
              std::dynamic_pointer_cast<DownloadItem>(cut));

    ASSERT_TRUE(good->receivedData(bytes.sliced(half)));
    good->complete();
    cut->complete();
    const std::string seen = events();
    EXPECT_NE(seen.find("downloadCompleted"), std::string::npos) << seen;
    EXPECT_NE(seen.find("onRecognized "), std::string::npos) << seen;
    EXPECT_NE(seen.find("addonInstalled:Gallery"), std::string::npos) << seen;
    EXPECT_NE(seen.find("downloadRemoved"), std::string::npos) << seen;
    EXPECT_TRUE(addons().getAddonByName("Gallery"));
    EXPECT_EQ(readFile(addonRoot / "Gallery" / "Gallery.toc"),
              readFile(fixture("recognizer", "src") / "Gallery" / "Gallery.toc"));
    EXPECT_EQ(downloads().getByFile(downloadFolder() / "Cut.zip"), nullptr);
    EXPECT_FALSE(fs::exists(downloadFolder() / "Cut.zip"));
    EXPECT_EQ(downloads().getDownloads().size(), 1u);
}

// A download entry whose state, once armed, is answered only when the test
// lets it: it holds a rebuild of the recognized items in the middle.
class GatedItem : public DownloadItem {
public:
    explicit GatedItem(fs::path file) : file(std::move(file)) {}
    fs::path getFile() const override { return file; }
    qint64 getCurrentSize() const override { return 0; }
    qint64 getTotalSize() const override { return 0; }
    bool inProgress() const override {
        if (armed.exchange(false)) {
            entered.count_down();
            release.wait();
        }
        return false;
    }

    mutable std::atomic<bool> armed{false};
    mutable std::latch entered{1};
    mutable std::latch release{1};

private:
    fs::path file;
};

// A rebuild that is held up must not hold up readers on other threads (the
// windows' tables): they get the last complete list at once.
TEST_F(DownloadRecognizerTest, ReadersGetTheLastCompleteStateDuringARebuild) {
    putDownload("recognizer", "Solo-1.0.zip");
    start();
    events();
    auto gated = std::make_shared<GatedItem>(downloadFolder() / "Gated.zip");
    downloads().adoptRunning({gated});
    gated->armed = true;
    addons().refreshAddonsAsync(); // its afterRefresh rebuilds the items
    gated->entered.wait();

    auto read = std::async(std::launch::async, [this] {
        const auto solo = downloads().getByFile(downloadFolder() / "Solo-1.0.zip");
        return std::make_pair(recognizer().getRecognizedItems().size(),
                              recognizer().lookup(solo) != nullptr);
    });
    const bool answered = read.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    gated->release.count_down();
    ASSERT_TRUE(answered);
    EXPECT_EQ(read.get(), std::make_pair(std::size_t{1}, true));
    events();
    EXPECT_EQ(recognizer().getRecognizedItems().size(), 2u);
}
