// The whole chain in one process: client handlers -> wrapper -> JNI
// environment -> viewlink -> engine -> Chromium, offscreen, against pages
// served on loopback.
#include "ChainClient.h"
#include "ChainEngine.h"
#include "LoopbackHttpServer.h"
#include "RandomBytes.h"
#include "browser/jni/JavaVirtualMachine.h"
#include "browser/wrapper/CefNotDisplayableError.h"
#include "browser/wrapper/NativeCefBrowser.h"
#include "browser/wrapper/NativeCefFrame.h"
#include "browser/wrapper/NativeCefSettings.h"
#include "client/ui/BrowserControl.h"
#include "lib/util/Error.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <mutex>

namespace plenfox::test {
namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

// A real addon package made with the zip tool; the noise does not compress,
// so the package is about that large.
QByteArray makeAddonZip(int noiseBytes) {
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("ChainAddon"));
    QFile toc(folder.filePath(QStringLiteral("ChainAddon/ChainAddon.toc")));
    toc.open(QIODevice::WriteOnly);
    toc.write("## Interface: 100200\n## Title: Chain Addon\n## Version: 1.2.3\nChainAddon.lua\n");
    toc.close();
    QFile lua(folder.filePath(QStringLiteral("ChainAddon/ChainAddon.lua")));
    lua.open(QIODevice::WriteOnly);
    lua.write(QByteArray::fromStdString(randomBytes(std::size_t(noiseBytes), 7)));
    lua.close();
    QProcess zip;
    zip.setWorkingDirectory(folder.path());
    zip.start(QStringLiteral("zip"),
              {QStringLiteral("-qr"), QStringLiteral("addon.zip"), QStringLiteral("ChainAddon")});
    zip.waitForFinished();
    QFile made(folder.filePath(QStringLiteral("addon.zip")));
    made.open(QIODevice::ReadOnly);
    return made.readAll();
}

class BrowserChain : public ::testing::Test {
protected:
    void SetUp() override {
        ChainEngine::factory();
        server.route("/page.html",
                     {200,
                      "text/html",
                      "<html><body><a id='zip' href='/files/addon.zip'>addon</a></body></html>",
                      {}});
        widget.resize(800, 600);
        widget.winId(); // a native window to place the browser in
    }

    void TearDown() override {
        if (auto browser = client->browser()) {
            browser->close();
            ChainEngine::waitFor([this] { return client->has(QStringLiteral("close")); });
            browser->dispose();
        }
    }

    // Creates a browser in the widget's native window on the page.
    void openPage(const cef::CefRect& place = cef::CefRect(0, 0, 800, 600)) {
        cef::CefFactory& factory = ChainEngine::factory();
        auto windowInfo = factory.createWindowInfo();
        ASSERT_TRUE(windowInfo);
        windowInfo->setChild(&widget, place);
        auto browserSettings = factory.createBrowserSettings();
        ASSERT_TRUE(browserSettings);
        factory.createBrowser(windowInfo, client, pageUrl(), browserSettings);
        windowInfo->dispose();
        browserSettings->dispose();
        ASSERT_TRUE(ChainEngine::waitFor([this] {
            return client->browser() && client->has(QStringLiteral("loadEnd"), pageUrl());
        })) << "the page did not load";
    }

    QString pageUrl() const { return text(server.url("/page.html")); }

    LoopbackHttpServer server;
    QWidget widget;
    std::shared_ptr<ChainClient> client = std::make_shared<ChainClient>();
};

TEST(BrowserChainSettings, SettingsAreFilledCopiedAndClearedThroughTheBridge) {
    cef::CefFactory& factory = ChainEngine::factory();
    auto settings = factory.createSettings();
    ASSERT_TRUE(settings);
    EXPECT_TRUE(settings->getCachePath().isNull());
    settings->setCachePath(QStringLiteral("/tmp/cache-\u00e9"));
    settings->setLogSeverity(2);
    settings->setMultiThreadedMessageLoop(true);
    EXPECT_EQ(settings->getCachePath(), QStringLiteral("/tmp/cache-\u00e9"));
    EXPECT_EQ(settings->getLogSeverity(), 2);
    EXPECT_TRUE(settings->getMultiThreadedMessageLoop());

    auto copy = factory.createSettings(settings);
    ASSERT_TRUE(copy);
    copy->setCachePath(QString());
    EXPECT_TRUE(copy->getCachePath().isNull());
    EXPECT_EQ(settings->getCachePath(), QStringLiteral("/tmp/cache-\u00e9"));

    // Text outside the basic plane crosses both ways intact.
    const QString emoji = QStringLiteral("Sans ") + QString::fromUcs4(U"\U0001F600");
    settings->setUserAgent(emoji);
    EXPECT_EQ(settings->getUserAgent(), emoji);

    auto browserSettings = factory.createBrowserSettings();
    browserSettings->setDefaultFontSize(17);
    browserSettings->setStandardFontFamily(QStringLiteral("Serif"));
    EXPECT_EQ(browserSettings->getDefaultFontSize(), 17);
    EXPECT_EQ(browserSettings->getStandardFontFamily(), QStringLiteral("Serif"));
    auto browserCopy = factory.createBrowserSettings(browserSettings);
    ASSERT_TRUE(browserCopy);
    EXPECT_EQ(browserCopy->getStandardFontFamily(), QStringLiteral("Serif"));
    browserCopy->dispose();
    auto windowInfo = factory.createWindowInfo();
    auto windowCopy = factory.createWindowInfo(windowInfo);
    EXPECT_TRUE(windowCopy);
    windowInfo->dispose();
    windowCopy->dispose();
    // A copy of a disposed record is none.
    EXPECT_EQ(factory.createWindowInfo(windowInfo), nullptr);

    settings->dispose();
    copy->dispose();
    browserSettings->dispose();
    // A disposed record answers the defaults.
    EXPECT_TRUE(settings->getCachePath().isNull());
    EXPECT_EQ(browserSettings->getDefaultFontSize(), -1);
}

TEST_F(BrowserChain, PageLoadsInAWidgetWithFreshObjectsOnTheEngineThreads) {
    openPage();
    const auto uiThread = std::this_thread::get_id();
    bool sawBeforeBrowse = false;
    for (const ChainEvent& event : client->events()) {
        if (event.kind == QStringLiteral("loadStart") || event.kind == QStringLiteral("loadEnd") ||
            event.kind == QStringLiteral("created")) {
            EXPECT_EQ(event.thread, uiThread) << event.kind.toStdString();
        }
        if (event.kind == QStringLiteral("loadEnd")) {
            EXPECT_EQ(event.number, 200);
        }
        if (event.kind == QStringLiteral("beforeBrowse") && event.url == pageUrl())
            sawBeforeBrowse = true;
    }
    EXPECT_TRUE(sawBeforeBrowse);

    // The UI thread is attached for good; the callbacks left no references on it.
    jni::ThreadState* uiState = jni::JavaVirtualMachine::getInstance()->currentThread();
    ASSERT_NE(uiState, nullptr);
    EXPECT_EQ(uiState->localCount(), 0u);

    // Every call brought objects of its own, and the handlers disposed them.
    const auto objects = client->receivedObjects();
    ASSERT_GE(objects.size(), 4u);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (auto browser = std::dynamic_pointer_cast<cef::NativeCefBrowser>(objects[i])) {
            EXPECT_EQ(browser->handle.load(), 0);
        }
        if (auto frame = std::dynamic_pointer_cast<cef::NativeCefFrame>(objects[i])) {
            EXPECT_EQ(frame->handle.load(), 0);
        }
        for (std::size_t j = i + 1; j < objects.size(); ++j)
            EXPECT_NE(objects[i], objects[j]);
    }

    auto browser = client->browser();
    auto frame = browser->getMainFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->getURL(), pageUrl());
    EXPECT_TRUE(frame->isMain());
    frame->dispose();
    EXPECT_TRUE(frame->getURL().isNull());
}

TEST_F(BrowserChain, RequestHeadersReachTheHandlerAsAHeaderMap) {
    struct Seen {
        std::mutex lock;
        QString method;
        int keys = -2;
        QString firstKey, firstValue, valueByName;
        bool hasKey = false;
        int copyKeys = -2;
        int disposedKeys = 0;
    };
    auto seen = std::make_shared<Seen>();
    client->resourceRequestAction = [seen](cef::CefRequest& request) {
        auto map = request.getHeaderMap();
        if (!map)
            return;
        const int before = map->getNumberOfKeys();
        // Two entries of one name: both count, the first added answers by name.
        map->add(QStringLiteral("X-Chain"), QStringLiteral("first"));
        map->add(QStringLiteral("X-Chain"), QStringLiteral("second"));
        std::lock_guard guard(seen->lock);
        seen->method = request.getMethod();
        seen->keys = map->getNumberOfKeys() - before;
        seen->valueByName = map->getValue(QStringLiteral("X-Chain"));
        seen->hasKey = map->containsKey(QStringLiteral("X-Chain"));
        for (int index = 0; index < map->getNumberOfKeys(); ++index)
            if (map->getKey(index) == QStringLiteral("X-Chain")) {
                seen->firstKey = map->getKey(index);
                seen->firstValue = map->getValue(index);
                break;
            }
        auto copy = map->copy();
        seen->copyKeys = copy ? copy->getNumberOfKeys() - before : -2;
        if (copy)
            copy->dispose();
        map->dispose();
        seen->disposedKeys = map->getNumberOfKeys();
    };
    openPage();
    std::lock_guard guard(seen->lock);
    EXPECT_EQ(seen->method, QStringLiteral("GET"));
    EXPECT_EQ(seen->keys, 2);
    EXPECT_EQ(seen->valueByName, QStringLiteral("first"));
    EXPECT_EQ(seen->firstKey, QStringLiteral("X-Chain"));
    EXPECT_EQ(seen->firstValue, QStringLiteral("first"));
    EXPECT_TRUE(seen->hasKey);
    EXPECT_EQ(seen->copyKeys, 2);
    EXPECT_EQ(seen->disposedKeys, -1);
}

TEST_F(BrowserChain, BrowsersDroppedWithoutDisposeGiveBackTheirReferences) {
    client->disposeBrowsers = false;
    server.route("/second.html", {200, "text/html", "<html><body>second</body></html>", {}});
    openPage();
    // The dropped browser objects disposed themselves; the browser goes on.
    auto frame = client->browser()->getMainFrame();
    ASSERT_TRUE(frame);
    const QString second = text(server.url("/second.html"));
    frame->loadURL(second);
    EXPECT_TRUE(
        ChainEngine::waitFor([&] { return client->has(QStringLiteral("loadEnd"), second); }));
    EXPECT_TRUE(client->receivedObjects().empty());
    frame->dispose();
}

TEST_F(BrowserChain, BrowserTakesTheRectangleItWasPlacedIn) {
    openPage(cef::CefRect(10, 20, 300, 200));
    const auto children = widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(children.front()->geometry(), QRect(10, 20, 300, 200));
}

TEST_F(BrowserChain, ControlGoneBeforeItsBrowserArrivesClosesTheBrowserWhenItComes) {
    // As when the program closes during its start: the control asked for a
    // browser and is disposed before the engine made it.
    client::ui::BrowserControl control(ChainEngine::factory());
    control.resize(400, 300);
    control.go(pageUrl(), client);
    control.dispose();
    EXPECT_FALSE(control.hasBrowser());
    ASSERT_TRUE(ChainEngine::waitFor([this] { return client->has(QStringLiteral("close")); }))
        << "the late browser stays open";
    EXPECT_FALSE(client->has(QStringLiteral("created"))) << "no handler was given the browser";
}

TEST(Program, StartsAndStopsTheEngineAndLogsBoth) {
    QTemporaryDir folder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), folder.path());
    environment.insert(QStringLiteral("HOME"), folder.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(PLENFOX_PROGRAM), {});
    // The program runs until asked to close: once the client is up, ask as
    // a logout would.
    const auto initializedLogged = [&folder] {
        for (const QString& name :
             QDir(folder.path()).entryList({QStringLiteral("plenfoxclient*.log")})) {
            QFile file(QDir(folder.path()).filePath(name));
            if (file.open(QIODevice::ReadOnly) && file.readAll().contains("Initialized client"))
                return true;
        }
        return false;
    };
    for (int waited = 0;
         waited < 1200 && !initializedLogged() && program.state() != QProcess::NotRunning; ++waited)
        program.waitForFinished(100);
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(120000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    const QStringList logs = QDir(folder.path()).entryList({QStringLiteral("plenfoxclient*.log")});
    ASSERT_EQ(logs.size(), 1);
    QFile log(QDir(folder.path()).filePath(logs.front()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    const qsizetype started =
        text.indexOf(QStringLiteral("BrowserEngine.start: browser engine started"));
    const qsizetype initialized = text.indexOf(QStringLiteral("Initialized client"));
    const qsizetype stopped =
        text.indexOf(QStringLiteral("BrowserEngine.stop: browser engine stopped"));
    EXPECT_NE(started, -1);
    EXPECT_NE(stopped, -1);
    EXPECT_LT(started, initialized);
    EXPECT_LT(initialized, stopped);
    EXPECT_TRUE(text.contains(QStringLiteral("shutting down CEF factory")));
}

TEST_F(BrowserChain, DisposedBrowserHasNoMainFrameAndDisposingTwiceIsHarmless) {
    openPage();
    auto browser = client->browser();
    browser->close();
    ASSERT_TRUE(ChainEngine::waitFor([this] { return client->has(QStringLiteral("close")); }));
    browser->dispose();
    EXPECT_EQ(browser->getMainFrame(), nullptr);
    browser->dispose();
    EXPECT_FALSE(browser->canGoBack());
}

class BrowserChainDownload : public BrowserChain, public ::testing::WithParamInterface<int> {};

// A small package arrives in one piece, before the engine learns its length;
// a large one in many pieces.
INSTANTIATE_TEST_SUITE_P(Sizes, BrowserChainDownload,
                         ::testing::Values(40 * 1024, 3 * 1024 * 1024));

TEST_P(BrowserChainDownload, ZipReachesTheCppHandlerByteIdentical) {
    const QByteArray zip = makeAddonZip(GetParam());
    ASSERT_GT(zip.size(), GetParam());
    server.route("/files/addon.zip",
                 HttpReply::attachment("application/zip", "addon.zip", zip.toStdString()));
    auto download = std::make_shared<CollectingDownload>();
    client->downloadHandler = download;
    openPage();
    auto frame = client->browser()->getMainFrame();
    ASSERT_TRUE(frame);
    frame->executeJavaScript(QStringLiteral("document.getElementById('zip').click()"), QString(),
                             0);
    frame->dispose();
    ASSERT_TRUE(ChainEngine::waitFor([&] { return download->isComplete(); }))
        << "received " << download->bytes().size() << " of " << zip.size() << " bytes";
    EXPECT_EQ(download->bytes(), zip);
    EXPECT_NE(download->dataThread(), std::this_thread::get_id());
    bool offered = false;
    for (const ChainEvent& event : client->events())
        if (event.kind == QStringLiteral("download")) {
            offered = true;
            EXPECT_EQ(event.url, QStringLiteral("application/zip addon.zip"));
            EXPECT_EQ(event.number, zip.size());
        }
    EXPECT_TRUE(offered);
}

TEST_F(BrowserChain, ThrowingHandlerLetsTheNavigationProceedAndTheErrorIsLoggedAndCounted) {
    TestEnvironment& environment = ChainEngine::environment();
    const int before = environment.app().getExceptionCount();
    client->beforeBrowseAction = [] {
        throw util::IllegalStateError(QStringLiteral("navigation refused by the test"));
    };
    openPage();
    EXPECT_GT(environment.app().getExceptionCount(), before);
    EXPECT_TRUE(environment.logContains(
        QStringLiteral("Exception: [IllegalStateException: navigation refused by the test]")));
    EXPECT_TRUE(environment.logContains(QStringLiteral("[onBeforeBrowse] raised an exception")));
}

TEST_F(BrowserChain, SetChildOnAWidgetWithoutNativeWindowRaises) {
    auto windowInfo = ChainEngine::factory().createWindowInfo();
    QWidget parent;
    QWidget* alien = new QWidget(&parent); // child widgets have no window of their own
    try {
        windowInfo->setChild(alien, cef::CefRect(0, 0, 100, 100));
        ADD_FAILURE() << "no error raised";
    } catch (const cef::CefNotDisplayableError& error) {
        EXPECT_EQ(error.getNotDisplayableComponent(), alien);
        EXPECT_TRUE(error.message().startsWith(QStringLiteral(
            "Invalid attempt to construct a CEF resource with a parent component that is not "
            "displayable; please see ")));
    }
    EXPECT_THROW(windowInfo->setOffscreen(nullptr), cef::CefNotDisplayableError);
    windowInfo->dispose();
}

} // namespace
} // namespace plenfox::test
