// The wrapper's classes as the bridge finds them, its values, the
// native-window library, and library loading; none needs the engine.
#include "browser/jni/JavaVirtualMachine.h"
#include "browser/jni/UnsatisfiedLinkError.h"
#include "browser/wrapper/CefClasses.h"
#include "browser/wrapper/CefClientAdapter.h"
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

// Every callback the bridge makes, by the name and signature it looks up.
TEST_F(WrapperClassesTest, BridgeFindsEveryCallbackBySignature) {
    JNIEnv* env = attach();
    const std::string browser = type("CefBrowser"), frame = type("CefFrame");
    const std::string string = "Ljava/lang/String;";
    const std::vector<std::tuple<std::string, std::string>> methods = {
        {"onBeforePopup", "(" + browser + type("CefPopupFeatures") + type("CefWindowInfo") +
                              string + type("CefClientBox") + type("CefBrowserSettings") + ")Z"},
        {"onAfterCreated", "(" + browser + ")V"},
        {"runModal", "(" + browser + ")Z"},
        {"doClose", "(" + browser + ")Z"},
        {"onBeforeClose", "(" + browser + ")V"},
        {"onLoadStart", "(" + browser + frame + ")V"},
        {"onLoadEnd", "(" + browser + frame + "I)V"},
        {"onLoadError", "(" + browser + frame + type("CefHandlerErrorCode") + string +
                            type("CefStringBox") + ")Z"},
        {"onBeforeBrowse",
         "(" + browser + frame + type("CefRequest") + type("CefNavigationType") + "Z)Z"},
        {"onBeforeResourceLoad", "(" + browser + type("CefRequest") + type("CefStringBox") +
                                     type("CefStreamReaderBox") + type("CefResponse") + "I)Z"},
        {"onResourceRedirect", "(" + browser + string + type("CefStringBox") + ")V"},
        {"onResourceResponse",
         "(" + browser + string + type("CefResponse") + type("CefContentFilterBox") + ")V"},
        {"onProtocolExecution", "(" + browser + string + type("CefBooleanBox") + ")Z"},
        {"getDownloadHandler",
         "(" + browser + string + string + "J" + type("CefDownloadHandlerBox") + ")Z"},
        {"getAuthCredentials", "(" + browser + "Z" + string + "I" + string + string +
                                   type("CefStringBox") + type("CefStringBox") + ")Z"},
        {"getCookieManager", "(" + browser + string + ")" + type("CefCookieManager")},
        {"getLifeSpanHandler", "()" + type("CefLifeSpanHandler")},
        {"getRequestHandler", "()" + type("CefRequestHandler")},
        {"getZoomHandler", "()" + type("CefZoomHandler")},
    };
    auto handlers = std::make_shared<AllHandlers>();
    jobject object = vm.currentThread()->newLocal(handlers);
    jclass objectClass = env->GetObjectClass(object);
    for (const auto& [name, signature] : methods)
        EXPECT_NE(env->GetMethodID(objectClass, name.c_str(), signature.c_str()), nullptr)
            << name << signature;
    EXPECT_FALSE(env->ExceptionCheck());

    // Interfaces the client implements for engine data, and the boxes.
    const std::vector<std::tuple<std::string, std::string, std::string>> declared = {
        {"CefStreamReader", "read", "(Ljava/nio/ByteBuffer;J)J"},
        {"CefStreamReader", "seek", "(J" + type("CefSeekType") + ")Z"},
        {"CefStreamReader", "tell", "()J"},
        {"CefStreamReader", "eof", "()Z"},
        {"CefContentFilter", "processData",
         "(Ljava/nio/ByteBuffer;" + type("CefStreamReaderBox") + ")V"},
        {"CefContentFilter", "drain", "(" + type("CefStreamReaderBox") + ")V"},
        {"CefDownloadHandler", "receivedData", "(Ljava/nio/ByteBuffer;)Z"},
        {"CefDownloadHandler", "complete", "()V"},
        {"CefProxyHandler", "getProxyForUrl", "(Ljava/lang/String;" + type("CefProxyInfo") + ")V"},
        {"CefResourceBundleHandler", "getLocalizedString", "(I" + type("CefStringBox") + ")Z"},
        {"CefApp", "getProxyHandler", "()" + type("CefProxyHandler")},
        {"CefStringBox", "<init>", "(Ljava/lang/String;)V"},
        {"CefStringBox", "getValue", "()Ljava/lang/String;"},
        {"CefBooleanBox", "<init>", "(Z)V"},
        {"CefBooleanBox", "getValue", "()Z"},
        {"CefStreamReaderBox", "<init>", "(" + type("CefStreamReader") + ")V"},
        {"CefStreamReaderBox", "setValue", "(" + type("CefStreamReader") + ")V"},
        {"CefContentFilterBox", "getValue", "()" + type("CefContentFilter")},
        {"CefDownloadHandlerBox", "<init>", "(" + type("CefDownloadHandler") + ")V"},
        {"CefDownloadHandlerBox", "getValue", "()" + type("CefDownloadHandler")},
        {"NativeCefBrowser", "<init>", "()V"},
        {"NativeCefWindowInfo", "<init>", "()V"},
    };
    for (const auto& [className, name, signature] : declared) {
        jclass found = env->FindClass(("com/plenfox/lib/wrapper/cef/" + className).c_str());
        ASSERT_NE(found, nullptr) << className;
        EXPECT_NE(env->GetMethodID(found, name.c_str(), signature.c_str()), nullptr)
            << className << "." << name << signature;
    }
    for (const char* handle :
         {"NativeCefBrowser:n_handleCefBrowser", "NativeCefFrame:n_handleCefFrame",
          "NativeCefSettings:n_handleCefSettings",
          "NativeCefDownloadHandler:n_handleCefDownloadHandler",
          "NativeCefProxyInfo:n_handleCefProxyInfo"}) {
        const std::string pair(handle);
        const std::string className = pair.substr(0, pair.find(':'));
        jclass found = env->FindClass(("com/plenfox/lib/wrapper/cef/" + className).c_str());
        EXPECT_NE(env->GetFieldID(found, pair.substr(pair.find(':') + 1).c_str(), "J"), nullptr)
            << handle;
    }
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
