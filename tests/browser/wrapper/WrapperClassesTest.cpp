// The wrapper's classes as the bridge finds them, its values, the
// native-window library, and library loading; none needs the engine.
#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaVirtualMachine.h"
#include "browser/jni/UnsatisfiedLinkError.h"
#include "browser/wrapper/CefClasses.h"
#include "browser/wrapper/CefClientAdapter.h"
#include "browser/wrapper/CefDownloadHandler.h"
#include "browser/wrapper/CefHandlerErrorCode.h"
#include "browser/wrapper/CefNavigationType.h"
#include "browser/wrapper/CefRect.h"
#include "browser/wrapper/CefSeekType.h"
#include "browser/wrapper/CefStringBox.h"
#include "browser/wrapper/NativeCefFactory.h"
#include "browser/wrapper/WidgetComponent.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <jawt.h>

#include <filesystem>
#include <tuple>

namespace plenfox::cef {
namespace {

constexpr const char* Cef = "Lcom/plenfox/lib/wrapper/cef/";

std::string type(const std::string& name) {
    return Cef + name + ";";
}

class WrapperClassesTest : public ::testing::Test {
protected:
    WrapperClassesTest() { declareCefClasses(vm.getClasses()); }

    JNIEnv* attach() {
        void* env = nullptr;
        vm.getJavaVm()->AttachCurrentThread(&env, nullptr);
        return static_cast<JNIEnv*>(env);
    }
    void TearDown() override { vm.detachCurrentThread(); }

    test::TestEnvironment environment;
    jni::JavaVirtualMachine vm;
};

// A client handler implementing the three handler interfaces the engine asks for.
class AllHandlers final : public CefClientAdapter,
                          public CefLifeSpanHandler,
                          public CefLoadHandler,
                          public CefRequestHandler {
public:
    bool onBeforePopup(std::shared_ptr<CefBrowser>, std::shared_ptr<CefPopupFeatures>,
                       std::shared_ptr<CefWindowInfo>, QString, std::shared_ptr<CefClientBox>,
                       std::shared_ptr<CefBrowserSettings>) override {
        return false;
    }
    void onAfterCreated(std::shared_ptr<CefBrowser>) override {}
    bool runModal(std::shared_ptr<CefBrowser>) override { return false; }
    bool doClose(std::shared_ptr<CefBrowser>) override { return false; }
    void onBeforeClose(std::shared_ptr<CefBrowser>) override {}
    void onLoadStart(std::shared_ptr<CefBrowser>, std::shared_ptr<CefFrame>) override {}
    void onLoadEnd(std::shared_ptr<CefBrowser>, std::shared_ptr<CefFrame>, std::int32_t) override {}
    bool onLoadError(std::shared_ptr<CefBrowser>, std::shared_ptr<CefFrame>,
                     std::optional<CefHandlerErrorCode> code, QString,
                     std::shared_ptr<CefStringBox> text) override {
        lastError = code;
        text->setValue(QStringLiteral("replaced"));
        return true;
    }
    bool onBeforeBrowse(std::shared_ptr<CefBrowser>, std::shared_ptr<CefFrame>,
                        std::shared_ptr<CefRequest>, std::optional<CefNavigationType>,
                        bool) override {
        return false;
    }
    bool onBeforeResourceLoad(std::shared_ptr<CefBrowser>, std::shared_ptr<CefRequest>,
                              std::shared_ptr<CefStringBox>, std::shared_ptr<CefStreamReaderBox>,
                              std::shared_ptr<CefResponse>, std::int32_t) override {
        return false;
    }
    void onResourceRedirect(std::shared_ptr<CefBrowser>, QString,
                            std::shared_ptr<CefStringBox>) override {}
    void onResourceResponse(std::shared_ptr<CefBrowser>, QString, std::shared_ptr<CefResponse>,
                            std::shared_ptr<CefContentFilterBox>) override {}
    bool onProtocolExecution(std::shared_ptr<CefBrowser>, QString,
                             std::shared_ptr<CefBooleanBox>) override {
        return false;
    }
    bool getDownloadHandler(std::shared_ptr<CefBrowser>, QString, QString, std::int64_t,
                            std::shared_ptr<CefDownloadHandlerBox>) override {
        return false;
    }
    bool getAuthCredentials(std::shared_ptr<CefBrowser>, bool, QString, std::int32_t, QString,
                            QString, std::shared_ptr<CefStringBox>,
                            std::shared_ptr<CefStringBox>) override {
        return false;
    }
    std::shared_ptr<CefCookieManager> getCookieManager(std::shared_ptr<CefBrowser>,
                                                       QString) override {
        return nullptr;
    }

    std::optional<CefHandlerErrorCode> lastError;
};

TEST(CefValues, FromIntAndRectEdges) {
    EXPECT_EQ(fromInt<CefHandlerErrorCode>(12345), CefHandlerErrorCode::ERR_OTHER);
    EXPECT_EQ(fromInt<CefHandlerErrorCode>(-105), CefHandlerErrorCode::ERR_NAME_NOT_RESOLVED);
    EXPECT_EQ(fromInt<CefHandlerErrorCode>(-501), CefHandlerErrorCode::ERR_INSECURE_RESPONSE);
    EXPECT_EQ(fromInt<CefNavigationType>(7), std::nullopt);
    EXPECT_EQ(fromInt<CefNavigationType>(-1), std::nullopt);
    EXPECT_EQ(fromInt<CefNavigationType>(6), CefNavigationType::LINKDROPPED);
    EXPECT_EQ(fromInt<CefSeekType>(0), CefSeekType::SET);
    EXPECT_EQ(fromInt<CefSeekType>(2), CefSeekType::END);
    EXPECT_EQ(fromInt<CefSeekType>(3), std::nullopt);

    EXPECT_TRUE(CefRect(0, 0, 0, 10).isEmpty());
    EXPECT_TRUE(CefRect(5, 5, 10, -1).isEmpty());
    EXPECT_FALSE(CefRect(-5, -5, 1, 1).isEmpty());
    CefRect rect;
    rect.set(1, 2, 3, 4);
    EXPECT_TRUE(rect.equals(CefRect(1, 2, 3, 4)));
    EXPECT_TRUE(rect.notEquals(CefRect(1, 2, 3, 5)));
}

// Every class, method and handle field the bridge looks up, by the names and
// signatures of the boundary's list: a member the wrapper declares under
// another name or with other types is one the bridge cannot find.
TEST_F(WrapperClassesTest, DeclaresEveryNameTheBridgeLooksUp) {
    JNIEnv* env = attach();
    auto handlers = std::make_shared<AllHandlers>();
    jobject handler = vm.currentThread()->newLocal(handlers);
    jclass handlerClass = env->GetObjectClass(handler);
    for (const boundary::Method& method : boundary::Methods::All) {
        const std::string described =
            std::string(method.className) + "." + method.name + method.signature;
        jclass found = env->FindClass(method.className);
        ASSERT_NE(found, nullptr) << described;
        jmethodID id = method.isStatic
                           ? env->GetStaticMethodID(found, method.name, method.signature)
                           : env->GetMethodID(found, method.name, method.signature);
        EXPECT_NE(id, nullptr) << described;
        // A client's handler finds the methods of the interfaces it implements.
        if (!method.isStatic && env->IsInstanceOf(handler, found)) {
            EXPECT_NE(env->GetMethodID(handlerClass, method.name, method.signature), nullptr)
                << described;
        }
        env->ExceptionClear();
    }
    for (const boundary::ClientKind& kind : boundary::Kinds::All) {
        jclass found = env->FindClass(kind.className);
        ASSERT_NE(found, nullptr) << kind.className;
        EXPECT_NE(env->GetMethodID(found, "<init>", "()V"), nullptr) << kind.className;
        EXPECT_NE(env->GetFieldID(found, kind.handleField, "J"), nullptr) << kind.handleField;
        env->ExceptionClear();
    }
    // The handler methods the bridge does not call yet are there too.
    const std::string browser = type("CefBrowser");
    EXPECT_NE(env->GetMethodID(
                  handlerClass, "getCookieManager",
                  ("(" + browser + "Ljava/lang/String;)" + type("CefCookieManager")).c_str()),
              nullptr);
    EXPECT_NE(
        env->GetMethodID(handlerClass, "getZoomHandler", ("()" + type("CefZoomHandler")).c_str()),
        nullptr);
    EXPECT_FALSE(env->ExceptionCheck());
}

// A client's download handler gets the bytes of the buffer native code passes.
TEST_F(WrapperClassesTest, DownloadHandlerReceivesTheBytesOfTheBuffer) {
    class Collecting final : public CefDownloadHandler {
    public:
        bool receivedData(std::span<const std::byte> data) override {
            received.append(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
            ++calls;
            return received.size() < 4;
        }
        void complete() override {}
        QByteArray received;
        int calls = 0;
    };
    JNIEnv* env = attach();
    auto collecting = std::make_shared<Collecting>();
    jobject handler = vm.currentThread()->newLocal(collecting);
    const boundary::Method& receivedData = boundary::Methods::DownloadHandlerReceivedData;
    jmethodID method =
        env->GetMethodID(env->GetObjectClass(handler), receivedData.name, receivedData.signature);
    ASSERT_NE(method, nullptr);
    char bytes[] = "abc";
    const jvalue piece[] = {{.l = env->NewDirectByteBuffer(bytes, 3)}};
    EXPECT_EQ(env->CallBooleanMethodA(handler, method, piece), JNI_TRUE);
    // Without a buffer there is nothing to receive and the download goes on.
    const jvalue none[] = {{.l = nullptr}};
    EXPECT_EQ(env->CallBooleanMethodA(handler, method, none), JNI_TRUE);
    EXPECT_EQ(env->CallBooleanMethodA(handler, method, piece), JNI_FALSE);
    EXPECT_EQ(collecting->received, QByteArray("abcabc"));
    EXPECT_EQ(collecting->calls, 2);
    EXPECT_FALSE(env->ExceptionCheck());
}

TEST_F(WrapperClassesTest, EnumerationsAndBoxesWorkThroughTheEnvironment) {
    JNIEnv* env = attach();
    jclass codes = env->FindClass("com/plenfox/lib/wrapper/cef/CefHandlerErrorCode");
    jmethodID fromIntCode = env->GetStaticMethodID(
        codes, "fromInt", "(I)Lcom/plenfox/lib/wrapper/cef/CefHandlerErrorCode;");
    ASSERT_NE(fromIntCode, nullptr);
    const jvalue unknown[] = {{.i = 12345}};
    jobject other = env->CallStaticObjectMethodA(codes, fromIntCode, unknown);
    jmethodID getValue = env->GetMethodID(codes, "getValue", "()I");
    EXPECT_EQ(env->CallIntMethodA(other, getValue, nullptr), -99999);

    jclass navigation = env->FindClass("com/plenfox/lib/wrapper/cef/CefNavigationType");
    jmethodID fromIntNavigation = env->GetStaticMethodID(
        navigation, "fromInt", "(I)Lcom/plenfox/lib/wrapper/cef/CefNavigationType;");
    const jvalue seven[] = {{.i = 7}};
    EXPECT_EQ(env->CallStaticObjectMethodA(navigation, fromIntNavigation, seven), nullptr);

    // The load handler receives the enumeration and answers through the box.
    auto handlers = std::make_shared<AllHandlers>();
    jobject handler = vm.currentThread()->newLocal(handlers);
    jclass stringBox = env->FindClass("com/plenfox/lib/wrapper/cef/CefStringBox");
    jobject box =
        env->NewObject(stringBox, env->GetMethodID(stringBox, "<init>", "(Ljava/lang/String;)V"),
                       env->NewStringUTF("original"));
    jmethodID onLoadError = env->GetMethodID(
        env->GetObjectClass(handler), "onLoadError",
        "(Lcom/plenfox/lib/wrapper/cef/CefBrowser;Lcom/plenfox/lib/wrapper/cef/CefFrame;"
        "Lcom/plenfox/lib/wrapper/cef/CefHandlerErrorCode;Ljava/lang/String;"
        "Lcom/plenfox/lib/wrapper/cef/CefStringBox;)Z");
    const jvalue args[] = {
        {.l = nullptr}, {.l = nullptr}, {.l = other}, {.l = nullptr}, {.l = box}};
    EXPECT_EQ(env->CallBooleanMethodA(handler, onLoadError, args), JNI_TRUE);
    EXPECT_EQ(handlers->lastError, CefHandlerErrorCode::ERR_OTHER);
    auto text = static_cast<jstring>(env->CallObjectMethodA(
        box, env->GetMethodID(stringBox, "getValue", "()Ljava/lang/String;"), nullptr));
    const char* chars = env->GetStringUTFChars(text, nullptr);
    EXPECT_STREQ(chars, "replaced");
    env->ReleaseStringUTFChars(text, chars);

    // An adapter that overrides nothing has no handlers: the engine gets none.
    auto adapter = std::make_shared<CefClientAdapter>();
    jobject client = vm.currentThread()->newLocal(adapter);
    for (const char* getter : {"getLifeSpanHandler", "getLoadHandler", "getRequestHandler"}) {
        const std::string result = std::string(getter).substr(3);
        jmethodID method =
            env->GetMethodID(env->GetObjectClass(client), getter,
                             ("()Lcom/plenfox/lib/wrapper/cef/Cef" + result + ";").c_str());
        ASSERT_NE(method, nullptr) << getter;
        EXPECT_EQ(env->CallObjectMethodA(client, method, nullptr), nullptr);
    }
}

TEST_F(WrapperClassesTest, DroppedEngineObjectsGiveBackTheirHandleAndOnesWithoutHandleDoNot) {
    // Browsers and post data are handed to the client, which may simply drop them.
    JNIEnv* env = attach();
    for (const auto& [className, field, disposal] :
         {std::tuple{"NativeCefBrowser", "n_handleCefBrowser", "NativeCefBrowser_n_1dispose"},
          std::tuple{"NativeCefPostData", "n_handleCefPostData", "NativeCefPostData_n_1dispose"}}) {
        SCOPED_TRACE(className);
        jclass objectClass =
            env->FindClass((std::string("com/plenfox/lib/wrapper/cef/") + className).c_str());
        ASSERT_NE(objectClass, nullptr);
        jmethodID constructor = env->GetMethodID(objectClass, "<init>", "()V");
        jfieldID handle = env->GetFieldID(objectClass, field, "J");

        // Made by native code, then dropped by everyone without dispose().
        jobject unused = env->NewObject(objectClass, constructor);
        env->DeleteLocalRef(unused);
        EXPECT_FALSE(environment.logContains(QString::fromLatin1(disposal)));

        jobject held = env->NewObject(objectClass, constructor);
        env->SetLongField(held, handle, 0x1234);
        env->DeleteLocalRef(held);
        // No bridge is loaded here: the attempt shows as the guarded missing export.
        EXPECT_TRUE(environment.logContains(QString::fromLatin1(disposal)));
    }
}

TEST_F(WrapperClassesTest, NativeWindowLibraryAnswersTheWidgetsWindowWhileLocked) {
    JNIEnv* env = attach();
    void* library =
        dlopen((std::string(PLENFOX_NATIVE_LIBRARY_DIR) + "/libjawt.so").c_str(), RTLD_NOW);
    ASSERT_NE(library, nullptr) << dlerror();
    auto getAwt =
        reinterpret_cast<jboolean(JNICALL*)(JNIEnv*, JAWT*)>(dlsym(library, "JAWT_GetAWT"));
    ASSERT_NE(getAwt, nullptr);
    JAWT awt{};
    awt.version = 0x12345;
    EXPECT_EQ(getAwt(env, &awt), JNI_FALSE);
    awt.version = JAWT_VERSION_1_4;
    ASSERT_EQ(getAwt(env, &awt), JNI_TRUE);

    QWidget window;
    window.resize(200, 100);
    const WId id = window.winId();
    ASSERT_NE(id, 0u);
    jobject canvas = vm.currentThread()->newLocal(std::make_shared<WidgetComponent>(&window));
    JAWT_DrawingSurface* surface = awt.GetDrawingSurface(env, canvas);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->GetDrawingSurfaceInfo(surface), nullptr); // not locked yet
    ASSERT_EQ(surface->Lock(surface) & JAWT_LOCK_ERROR, 0);
    JAWT_DrawingSurfaceInfo* info = surface->GetDrawingSurfaceInfo(surface);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(*static_cast<unsigned long*>(info->platformInfo), static_cast<unsigned long>(id));
    surface->FreeDrawingSurfaceInfo(info);
    surface->Unlock(surface);
    awt.FreeDrawingSurface(surface);

    // A child widget without a window of its own cannot be locked.
    QWidget* alien = new QWidget(&window);
    jobject alienCanvas = vm.currentThread()->newLocal(std::make_shared<WidgetComponent>(alien));
    surface = awt.GetDrawingSurface(env, alienCanvas);
    EXPECT_NE(surface->Lock(surface) & JAWT_LOCK_ERROR, 0);
    awt.FreeDrawingSurface(surface);
    EXPECT_FALSE(env->ExceptionCheck());
}

TEST_F(WrapperClassesTest, FactoryNamesTheLibraryAndTheLoadersReasonWhenLoadingFails) {
    QTemporaryDir empty;
    try {
        NativeCefFactory factory(empty.path().toStdString());
        ADD_FAILURE() << "no error";
    } catch (const jni::UnsatisfiedLinkError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("libjawt.so")))
            << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(QStringLiteral("No such file")))
            << error.message().toStdString();
    }
    // With jawt present the next one in order is named.
    std::filesystem::copy_file(std::string(PLENFOX_NATIVE_LIBRARY_DIR) + "/libjawt.so",
                               empty.filePath(QStringLiteral("libjawt.so")).toStdString());
    try {
        NativeCefFactory factory(empty.path().toStdString());
        ADD_FAILURE() << "no error";
    } catch (const jni::UnsatisfiedLinkError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("libcef.so")))
            << error.message().toStdString();
    }
    EXPECT_EQ(NativeCefFactory::libraryFileName("viewlink"), "libviewlink.so");
    EXPECT_EQ(NativeCefFactory::libraryFileName("libcef"), "libcef.so");
}

TEST(NativeCefFactoryFolder, BuildFolderFirstThenTheInstalledPrivateFolder) {
    QTemporaryDir root;
    const std::filesystem::path prefix = root.path().toStdString();
    const std::filesystem::path bin = prefix / "bin";
    const std::filesystem::path installed = prefix / "lib" / "plenfoxclient";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(installed);
    // Neither holds the engine: the program's folder, so the error names it.
    EXPECT_EQ(NativeCefFactory::libraryFolderFor(bin), bin);
    // Installed: bin/plenfoxclient beside lib/plenfoxclient/libcef.so.
    QFile(QString::fromStdString((installed / "libcef.so").string())).open(QIODevice::WriteOnly);
    EXPECT_EQ(NativeCefFactory::libraryFolderFor(bin), installed);
    // A build folder holds the program and its libraries together, and wins.
    QFile(QString::fromStdString((bin / "libcef.so").string())).open(QIODevice::WriteOnly);
    EXPECT_EQ(NativeCefFactory::libraryFolderFor(bin), bin);
}

} // namespace
} // namespace plenfox::cef
