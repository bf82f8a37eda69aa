// Engine callbacks reaching client handlers in a real Java VM: defaults on a
// thread that was never attached, conversions, boxes, and exceptions.
#include "Exports.h"
#include "JavaVmFixture.h"

#include "browser/bridge/CefClientWrapper.h"
#include "browser/bridge/CefContentFilterWrapper.h"
#include "browser/bridge/CefLifeSpanHandlerWrapper.h"
#include "browser/bridge/CefLoadHandlerWrapper.h"
#include "browser/bridge/CefProxyHandlerWrapper.h"
#include "browser/bridge/CefRequestHandlerWrapper.h"
#include "browser/bridge/CefResourceBundleHandlerWrapper.h"
#include "browser/bridge/CefStreamReaderWrapper.h"
#include "browser/bridge/ClientKind.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace viewlink;

namespace {

class HandlerWrapperTest : public ::testing::Test {
protected:
    JNIEnv* env = JavaVmFixture::env();

    void SetUp() override {
        JavaVmFixture::clearOutput();
        JavaVmFixture::resetCalls();
    }
    void TearDown() override {
        EXPECT_FALSE(env->ExceptionCheck());
        EXPECT_EQ(JavaVmFixture::output().find("WARNING"), std::string::npos)
            << JavaVmFixture::output();
    }

    template <class Wrapper> CefRefPtr<Wrapper> wrap(const char* testClass) {
        jobject handler = JavaVmFixture::create(testClass);
        CefRefPtr<Wrapper> wrapper = new Wrapper(env, handler);
        env->DeleteLocalRef(handler);
        return wrapper;
    }
};

TEST_F(HandlerWrapperTest, ThreadNeverAttachedGetsDefaultsAndCallsNothing) {
    auto load = wrap<CefLoadHandlerWrapper>("TestHandlers$Load");
    auto request = wrap<CefRequestHandlerWrapper>("TestHandlers$Request");
    auto reader = wrap<CefStreamReaderWrapper>("TestHandlers$Reader");
    auto client = wrap<CefClientWrapper>("TestHandlers$ClientWithoutLoadHandler");
    CefRefPtr<CefDownloadHandler> download;
    CefString errorText(u"unchanged");
    bool handled = true;
    bool accepted = true;
    int seek = 0;
    std::size_t read = 1;
    bool noLoadHandler = false;
    char memory[8] = {};
    std::thread stranger([&] {
        load->OnLoadStart(nullptr, nullptr);
        handled = load->OnLoadError(nullptr, nullptr, ERR_FAILED, u"http://x/", errorText);
        accepted = request->GetDownloadHandler(nullptr, u"application/zip", u"a.zip", 10, download);
        seek = reader->Seek(0, SEEK_SET);
        read = reader->Read(memory, 1, sizeof memory);
        noLoadHandler = client->GetLoadHandler() == nullptr;
    });
    stranger.join();
    EXPECT_FALSE(handled);
    EXPECT_FALSE(accepted);
    EXPECT_EQ(download, nullptr);
    EXPECT_EQ(seek, -1);
    EXPECT_EQ(read, 0u);
    EXPECT_TRUE(noLoadHandler);
    EXPECT_EQ(errorText.ToString16(), u"unchanged");
    EXPECT_EQ(JavaVmFixture::count("onLoadStart"), 0);
    EXPECT_EQ(JavaVmFixture::count("getLoadHandler"), 0);

    // The same calls on an attached thread reach the client.
    load->OnLoadStart(nullptr, nullptr);
    EXPECT_EQ(JavaVmFixture::count("onLoadStart"), 1);
}

TEST_F(HandlerWrapperTest, AttachedThreadKeepsNoLocalReferencesAcrossCallbacks) {
    auto load = wrap<CefLoadHandlerWrapper>("TestHandlers$Load");
    CefRefPtr<CefBrowser> noBrowser;
    std::thread engineThread([&] {
        JNIEnv* threadEnv = nullptr;
        ASSERT_EQ(
            JavaVmFixture::vm()->AttachCurrentThread(reinterpret_cast<void**>(&threadEnv), nullptr),
            JNI_OK);
        for (int i = 0; i < 2000; ++i) {
            load->OnLoadStart(noBrowser, nullptr);
            load->OnLoadEnd(noBrowser, nullptr, 200);
        }
        // Room for the runtime's own default capacity of local references
        // is left only when the callbacks freed theirs.
        EXPECT_EQ(threadEnv->PushLocalFrame(16), 0);
        threadEnv->PopLocalFrame(nullptr);
        JavaVmFixture::vm()->DetachCurrentThread();
    });
    engineThread.join();
    EXPECT_EQ(JavaVmFixture::count("onLoadStart"), 2000);
    EXPECT_EQ(JavaVmFixture::count("onLoadEnd 200"), 2000);
}

TEST_F(HandlerWrapperTest, ClientWithoutLoadHandlerGetsNone) {
    auto client = wrap<CefClientWrapper>("TestHandlers$ClientWithoutLoadHandler");
    EXPECT_EQ(client->GetLoadHandler(), nullptr);
    EXPECT_EQ(JavaVmFixture::count("getLoadHandler"), 1);
    EXPECT_EQ(client->GetLifeSpanHandler(), nullptr);
    EXPECT_EQ(client->GetDisplayHandler(), nullptr);
}

TEST_F(HandlerWrapperTest, LoadErrorConvertsTheCodeAndWritesTheTextBack) {
    auto load = wrap<CefLoadHandlerWrapper>("TestHandlers$Load");
    CefString errorText(u"refused");
    EXPECT_TRUE(load->OnLoadError(nullptr, nullptr, ERR_CONNECTION_REFUSED, u"http://127.0.0.1:9/",
                                  errorText));
    EXPECT_EQ(
        JavaVmFixture::count("onLoadError ERR_CONNECTION_REFUSED http://127.0.0.1:9/ refused"), 1);
    EXPECT_EQ(errorText.ToString16(), u"replaced \U0001D11E");
}

TEST_F(HandlerWrapperTest, ThrowingHandlerAnswersDefaultAndLeavesOutParametersAlone) {
    auto request = wrap<CefRequestHandlerWrapper>("TestHandlers$Request");
    EXPECT_FALSE(
        request->OnBeforeBrowse(nullptr, nullptr, CefRequest::Create(), NAVTYPE_LINKCLICKED, true));
    EXPECT_EQ(JavaVmFixture::count("onBeforeBrowse LINKCLICKED true"), 1);
    EXPECT_FALSE(env->ExceptionCheck());

    CefString newUrl(u"http://127.0.0.1/next");
    request->OnResourceRedirect(nullptr, u"http://127.0.0.1/old", newUrl);
    EXPECT_EQ(newUrl.ToString16(), u"http://127.0.0.1/next");
}

TEST_F(HandlerWrapperTest, BoxesCarryAnswersBack) {
    auto request = wrap<CefRequestHandlerWrapper>("TestHandlers$Request");
    bool allow = false;
    EXPECT_TRUE(request->OnProtocolExecution(nullptr, u"mailto:a@b", allow));
    EXPECT_TRUE(allow);

    CefString user(u"old user");
    CefString password(u"old password");
    EXPECT_TRUE(request->GetAuthCredentials(nullptr, false, u"example.invalid", 8080, u"realm",
                                            u"basic", user, password));
    EXPECT_EQ(user.ToString16(), u"user example.invalid:8080");
    EXPECT_TRUE(password.empty()) << "a null answer stores an empty string";
}

TEST_F(HandlerWrapperTest, DownloadHandlerIsAskedForATypeAndANameWhateverTheLength) {
    auto request = wrap<CefRequestHandlerWrapper>("TestHandlers$Request");
    CefRefPtr<CefDownloadHandler> handler;
    EXPECT_FALSE(request->GetDownloadHandler(nullptr, u"", u"a.zip", 10, handler));
    EXPECT_FALSE(request->GetDownloadHandler(nullptr, u"application/zip", u"", 10, handler));
    EXPECT_EQ(handler, nullptr);
    EXPECT_EQ(JavaVmFixture::count("getDownloadHandler application/zip  10"), 0);

    // An unknown length (-1) and an empty download are offered; the client's
    // handler comes back wrapped.
    for (const int64 length : {-1LL, 0LL}) {
        handler = nullptr;
        EXPECT_TRUE(
            request->GetDownloadHandler(nullptr, u"application/zip", u"a.zip", length, handler));
        ASSERT_NE(handler, nullptr);
        char bytes[] = "PK";
        EXPECT_TRUE(handler->ReceivedData(bytes, 2));
    }
    EXPECT_EQ(JavaVmFixture::count("getDownloadHandler application/zip a.zip -1"), 1);
    EXPECT_EQ(JavaVmFixture::count("getDownloadHandler application/zip a.zip 0"), 1);
}

TEST_F(HandlerWrapperTest, DownloadHandlerThatRefusesMoreDataStopsTheDownload) {
    // The client takes four bytes and refuses the rest, as its size cap does.
    auto request = wrap<CefRequestHandlerWrapper>("TestHandlers$Request");
    CefRefPtr<CefDownloadHandler> handler;
    ASSERT_TRUE(
        request->GetDownloadHandler(nullptr, u"application/zip", u"limited.zip", -1, handler));
    ASSERT_NE(handler, nullptr);
    char bytes[] = "PKzip";
    EXPECT_TRUE(handler->ReceivedData(bytes, 2));
    EXPECT_TRUE(handler->ReceivedData(bytes + 2, 2));
    EXPECT_FALSE(handler->ReceivedData(bytes + 4, 1));
    EXPECT_EQ(JavaVmFixture::count("receivedData 5"), 1);
    handler->Complete();
    EXPECT_EQ(JavaVmFixture::count("complete"), 1);
}

TEST_F(HandlerWrapperTest, StreamReaderSeesAllRequestedBytesAndCannotOverclaim) {
    auto reader = wrap<CefStreamReaderWrapper>("TestHandlers$Reader");
    std::vector<char> memory(20, '#');
    EXPECT_EQ(reader->Read(memory.data(), 4, 3), 3u) << "never more items than asked for";
    EXPECT_EQ(JavaVmFixture::count("read capacity 12 n 3"), 1);
    EXPECT_EQ(std::string(memory.data(), 13), std::string(12, 'x') + "#");
    EXPECT_EQ(reader->Seek(5, SEEK_CUR), 0) << "success is 0, as the engine expects";
    EXPECT_EQ(JavaVmFixture::count("seek 5 CURRENT"), 1);
    EXPECT_NE(reader->Seek(-1, SEEK_SET), 0);
    EXPECT_EQ(reader->Tell(), 7);
    EXPECT_EQ(reader->Eof(), 1);
}

// The bridge is linked into this program rather than loaded by the VM: the
// proxy information class, which the handler calls, gets its natives here.
void registerProxyInfoNatives(JNIEnv* env) {
    jclass cls = env->FindClass("com/plenfox/lib/wrapper/cef/NativeCefProxyInfo");
    const JNINativeMethod natives[] = {
        {const_cast<char*>("n_getProxyType"), const_cast<char*>("()I"),
         reinterpret_cast<void*>(
             &Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1getProxyType)},
        {const_cast<char*>("n_setProxyType"), const_cast<char*>("(I)V"),
         reinterpret_cast<void*>(
             &Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1setProxyType)},
        {const_cast<char*>("n_getProxyList"), const_cast<char*>("()Ljava/lang/String;"),
         reinterpret_cast<void*>(
             &Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1getProxyList)},
        {const_cast<char*>("n_setProxyList"), const_cast<char*>("(Ljava/lang/String;)V"),
         reinterpret_cast<void*>(
             &Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1setProxyList)},
        {const_cast<char*>("n_dispose"), const_cast<char*>("()V"),
         reinterpret_cast<void*>(&Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1dispose)},
    };
    ASSERT_EQ(env->RegisterNatives(cls, natives, 5), 0);
    env->DeleteLocalRef(cls);
}

TEST_F(HandlerWrapperTest, ProxyInformationIsCopiedBackAndTheClientObjectEmptied) {
    registerProxyInfoNatives(env);
    auto proxy = wrap<CefProxyHandlerWrapper>("TestHandlers$Proxy");
    CefProxyInfo info;
    proxy->GetProxyForUrl(u"http://example.invalid/", info);
    EXPECT_EQ(JavaVmFixture::count("getProxyForUrl http://example.invalid/ 0"), 1);
    EXPECT_EQ(info.proxyType, CEF_PROXY_TYPE_NAMED);
    EXPECT_EQ(info.proxyList.ToString16(), u"proxy.invalid:3128");

    // The client kept the object: using or disposing it later is harmless.
    jclass recorder = env->FindClass("com/plenfox/lib/wrapper/cef/CallRecorder");
    jstring name = env->NewStringUTF("proxyInfo");
    jobject kept = env->CallStaticObjectMethod(
        recorder,
        env->GetStaticMethodID(recorder, "kept", "(Ljava/lang/String;)Ljava/lang/Object;"), name);
    ASSERT_FALSE(env->ExceptionCheck());
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(JavaVmFixture::handleOf(kept, Kinds::ProxyInfo.handleField), 0);
    EXPECT_EQ(Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1getProxyList(env, kept),
              nullptr);
    Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1dispose(env, kept);
    EXPECT_EQ(info.proxyList.ToString16(), u"proxy.invalid:3128");
}

TEST_F(HandlerWrapperTest, PopupOpensWithTheWindowInfoTheClientChanged) {
    jclass cls = env->FindClass("com/plenfox/lib/wrapper/cef/NativeCefWindowInfo");
    const JNINativeMethod natives[] = {
        {const_cast<char*>("n_setTransparentPainting"), const_cast<char*>("(Z)V"),
         reinterpret_cast<void*>(
             &Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1setTransparentPainting)},
        {const_cast<char*>("n_dispose"), const_cast<char*>("()V"),
         reinterpret_cast<void*>(&Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1dispose)},
    };
    ASSERT_EQ(env->RegisterNatives(cls, natives, 2), 0);
    env->DeleteLocalRef(cls);
    jclass settingsClass = env->FindClass("com/plenfox/lib/wrapper/cef/NativeCefBrowserSettings");
    const JNINativeMethod settingsNatives[] = {
        {const_cast<char*>("n_dispose"), const_cast<char*>("()V"),
         reinterpret_cast<void*>(
             &Java_com_plenfox_lib_wrapper_cef_NativeCefBrowserSettings_n_1dispose)},
    };
    ASSERT_EQ(env->RegisterNatives(settingsClass, settingsNatives, 1), 0);
    env->DeleteLocalRef(settingsClass);

    auto lifeSpan = wrap<CefLifeSpanHandlerWrapper>("TestHandlers$LifeSpan");
    CefWindowInfo windowInfo;
    windowInfo.m_windowName = u"popup";
    windowInfo.m_nWidth = 320;
    CefBrowserSettings settings;
    settings.default_font_size = 13;
    CefRefPtr<CefClient> client;
    EXPECT_FALSE(lifeSpan->OnBeforePopup(nullptr, CefPopupFeatures(), windowInfo,
                                         u"http://127.0.0.1/popup", client, settings));
    EXPECT_EQ(JavaVmFixture::count("onBeforePopup http://127.0.0.1/popup true true"), 1);
    EXPECT_TRUE(windowInfo.m_bTransparentPainting);
    EXPECT_EQ(windowInfo.m_windowName.ToString16(), u"popup");
    EXPECT_EQ(windowInfo.m_nWidth, 320);
    EXPECT_EQ(settings.default_font_size, 13) << "a copy disposed by the client changes nothing";

    // The copy the client kept was taken back: its handle is empty.
    jclass recorder = env->FindClass("com/plenfox/lib/wrapper/cef/CallRecorder");
    jstring name = env->NewStringUTF("windowInfo");
    jobject kept = env->CallStaticObjectMethod(
        recorder,
        env->GetStaticMethodID(recorder, "kept", "(Ljava/lang/String;)Ljava/lang/Object;"), name);
    ASSERT_FALSE(env->ExceptionCheck());
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(JavaVmFixture::handleOf(kept, Kinds::WindowInfo.handleField), 0);
    EXPECT_TRUE(lifeSpan->DoClose(nullptr));
}

TEST_F(HandlerWrapperTest, ContentFilterSeesTheBodyReadOnlyAndSubstitutes) {
    auto filter = wrap<CefContentFilterWrapper>("TestHandlers$Filter");
    CefRefPtr<CefStreamReader> substitute;
    const char body[] = "body";
    filter->ProcessData(body, 4, substitute);
    EXPECT_EQ(JavaVmFixture::count("processData 4 true true"), 1);
    ASSERT_NE(substitute, nullptr);
    EXPECT_EQ(substitute->Tell(), 7) << "the client's reader, wrapped for the engine";

    CefRefPtr<CefStreamReader> remainder = CefStreamReader::CreateForData("rest", 4);
    filter->Drain(remainder);
    EXPECT_EQ(JavaVmFixture::count("drain false"), 1);
    EXPECT_EQ(remainder, nullptr) << "the client cleared the remainder";
}

TEST_F(HandlerWrapperTest, LocalizedStringIsReplacedOnlyWhenTheClientAnswers) {
    auto bundle = wrap<CefResourceBundleHandlerWrapper>("TestHandlers$Bundle");
    CefString text(u"engine text");
    EXPECT_TRUE(bundle->GetLocalizedString(1, text));
    EXPECT_EQ(text.ToString16(), u"\u00c4rger");
    CefString other(u"engine text");
    EXPECT_FALSE(bundle->GetLocalizedString(2, other));
    EXPECT_EQ(other.ToString16(), u"engine text");
    CefString empty;
    EXPECT_FALSE(bundle->GetLocalizedString(1, empty));
    EXPECT_EQ(JavaVmFixture::count("getLocalizedString 1 null"), 0);
}

} // namespace
