// The bridge's shared steps against a real Java VM: text conversion, handle
// fields, the settings and window records, and the stream and download exports.
#include "Exports.h"
#include "FakeToolkit.h"
#include "JavaVmFixture.h"

#include "browser/boundary/BoundaryNames.h"
#include "browser/bridge/ClientObjects.h"
#include "browser/bridge/HandleField.h"
#include "browser/bridge/JavaStrings.h"
#include "lib/utf8/ModifiedUtf8.h"

#include "cef_content_filter.h"
#include "cef_download_handler.h"
#include "cef_request.h"
#include "cef_stream.h"
#include "cef_types_wrappers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace viewlink;
using namespace plenfox::boundary;

namespace {

const std::u16string Samples[] = {
    u"\u00c4rger \U0001D11E \u65e5\u672c", // outside ASCII and outside the BMP
    std::u16string(u"a\0b", 3),            // U+0000 inside
    u"x\xD800y",                           // a lone surrogate
    u"plain",
};

class BridgeFrameTest : public ::testing::Test {
protected:
    JNIEnv* env = JavaVmFixture::env();

    void SetUp() override {
        JavaVmFixture::clearOutput();
        FakeToolkit::reset();
    }
    void TearDown() override {
        EXPECT_FALSE(env->ExceptionCheck());
        EXPECT_EQ(JavaVmFixture::output().find("WARNING"), std::string::npos)
            << JavaVmFixture::output();
    }
};

TEST_F(BridgeFrameTest, TextSurvivesTheRuntimeBothWays) {
    for (const std::u16string& text : Samples) {
        // The encoding is the runtime's own.
        jstring made = env->NewString(reinterpret_cast<const jchar*>(text.data()),
                                      static_cast<jsize>(text.size()));
        const char* bytes = env->GetStringUTFChars(made, nullptr);
        EXPECT_EQ(std::string(bytes, env->GetStringUTFLength(made)),
                  plenfox::utf8::ModifiedUtf8::encode(text));
        env->ReleaseStringUTFChars(made, bytes);

        CefString engine;
        ASSERT_TRUE(JavaStrings::toEngine(env, made, engine));
        EXPECT_EQ(engine.ToString16(), text);

        jstring back = JavaStrings::toClient(env, engine);
        ASSERT_NE(back, nullptr);
        const jchar* units = env->GetStringChars(back, nullptr);
        EXPECT_EQ(
            std::u16string(reinterpret_cast<const char16_t*>(units), env->GetStringLength(back)),
            text);
        env->ReleaseStringChars(back, units);
        env->DeleteLocalRef(back);
        env->DeleteLocalRef(made);
    }
}

TEST_F(BridgeFrameTest, EmptyAndNullTextCrossAsNullAndFailure) {
    EXPECT_EQ(JavaStrings::toClient(env, CefString()), nullptr);
    CefString out(u"left over");
    EXPECT_FALSE(JavaStrings::toEngine(env, nullptr, out));
    EXPECT_TRUE(out.empty());
}

TEST_F(BridgeFrameTest, StoringTheObjectAHandleHoldsKeepsItAlive) {
    CefRefPtr<CefRequest> request = CefRequest::Create();
    request->SetURL(u"http://127.0.0.1/kept");
    jobject client = ClientObjects::wrapReferenced(env, Kinds::Request.className,
                                                   Kinds::Request.handleField, request.get());
    ASSERT_NE(client, nullptr);
    CefRequest* raw = request.get();
    EXPECT_EQ(raw->GetRefCt(), 2);
    request = nullptr; // the handle holds the only reference now
    ASSERT_TRUE(
        HandleField::storeReferenced<CefRequest>(env, client, Kinds::Request.handleField, raw));
    EXPECT_EQ(raw->GetRefCt(), 1);
    jstring url = Java_com_plenfox_lib_wrapper_cef_NativeCefRequest_n_1getURL(env, client);
    ASSERT_NE(url, nullptr);
    Java_com_plenfox_lib_wrapper_cef_NativeCefRequest_n_1dispose(env, client);
    Java_com_plenfox_lib_wrapper_cef_NativeCefRequest_n_1dispose(env, client);
    EXPECT_EQ(JavaVmFixture::handleOf(client, Kinds::Request.handleField), 0);
}

TEST_F(BridgeFrameTest, AnObjectWithoutTheHandleFieldHasNoNativeObject) {
    jobject text = env->NewStringUTF("no handle here");
    EXPECT_EQ(HandleField::read(env, text, Kinds::Request.handleField), 0);
    EXPECT_FALSE(
        HandleField::storeOwned(env, text, Kinds::HeaderMap.handleField, new CefStringMultimap()));
    EXPECT_EQ(Java_com_plenfox_lib_wrapper_cef_NativeCefRequest_n_1getURL(env, text), nullptr);
    EXPECT_EQ(ClientObjects::create(env, "com/plenfox/lib/wrapper/cef/NoSuchClass"), nullptr);
}

TEST_F(BridgeFrameTest, RecordsCarryTheSizeOfOurOwnStructures) {
    jobject settings =
        Java_com_plenfox_lib_wrapper_cef_NativeCefFactory_n_1createSettings__(env, nullptr);
    jobject browserSettings =
        Java_com_plenfox_lib_wrapper_cef_NativeCefFactory_n_1createBrowserSettings__(env, nullptr);
    auto* record =
        fromHandle<CefSettings>(JavaVmFixture::handleOf(settings, Kinds::Settings.handleField));
    auto* browserRecord = fromHandle<CefBrowserSettings>(
        JavaVmFixture::handleOf(browserSettings, Kinds::BrowserSettings.handleField));
    ASSERT_NE(record, nullptr);
    ASSERT_NE(browserRecord, nullptr);
    EXPECT_EQ(record->size, sizeof(cef_settings_t));
    EXPECT_EQ(browserRecord->size, sizeof(cef_browser_settings_t));

    // A boolean counts as set only for the byte 1.
    Java_com_plenfox_lib_wrapper_cef_NativeCefSettings_n_1setMultiThreadedMessageLoop(env, settings,
                                                                                      2);
    EXPECT_FALSE(record->multi_threaded_message_loop);
    Java_com_plenfox_lib_wrapper_cef_NativeCefSettings_n_1setMultiThreadedMessageLoop(env, settings,
                                                                                      1);
    EXPECT_TRUE(record->multi_threaded_message_loop);
}

TEST_F(BridgeFrameTest, WindowInfoIsPlacedOnTheCanvasWindow) {
    jobject info =
        Java_com_plenfox_lib_wrapper_cef_NativeCefFactory_n_1createWindowInfo__(env, nullptr);
    auto* record =
        fromHandle<CefWindowInfo>(JavaVmFixture::handleOf(info, Kinds::WindowInfo.handleField));
    ASSERT_NE(record, nullptr);
    jobject canvas = env->NewStringUTF("canvas");

    Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1setChild(env, info, canvas, 0, 0, 800,
                                                                     600);
    EXPECT_EQ(record->m_hWndParent, FakeToolkit::Window);
    EXPECT_EQ(record->m_dwStyle, 0x56010000u);
    EXPECT_EQ(record->m_x, 0);
    EXPECT_EQ(record->m_y, 0);
    EXPECT_EQ(record->m_nWidth, 800);
    EXPECT_EQ(record->m_nHeight, 600);
    EXPECT_EQ(FakeToolkit::locks, 1);
    EXPECT_EQ(FakeToolkit::unlocks, 1);
    EXPECT_EQ(FakeToolkit::infosFreed, 1);
    EXPECT_EQ(FakeToolkit::surfacesFreed, 1);

    // A rectangle away from the origin keeps its size.
    Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1setChild(env, info, canvas, 10, 20, 800,
                                                                     600);
    EXPECT_EQ(record->m_x, 10);
    EXPECT_EQ(record->m_y, 20);
    EXPECT_EQ(record->m_nWidth, 800);
    EXPECT_EQ(record->m_nHeight, 600);

    // A surface that cannot be locked yields no window: nothing changes.
    FakeToolkit::failLock = true;
    Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1setChild(env, info, canvas, 5, 5, 10,
                                                                     10);
    EXPECT_EQ(record->m_nWidth, 800);
    EXPECT_EQ(FakeToolkit::unlocks, 2);
    EXPECT_EQ(FakeToolkit::surfacesFreed, 3);
    FakeToolkit::failLock = false;

    Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1setPopup(env, info, canvas, nullptr);
    EXPECT_EQ(record->m_dwStyle, 0x56010000u) << "a null window name places nothing";
    jstring name = env->NewStringUTF("Popup \xED\xA0\xB4\xED\xB4\x9E");
    Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1setPopup(env, info, canvas, name);
    EXPECT_EQ(record->m_dwStyle, 0x16CF0000u);
    EXPECT_EQ(record->m_x, static_cast<int>(0x80000000u));
    EXPECT_EQ(record->m_nHeight, static_cast<int>(0x80000000u));
    EXPECT_EQ(record->m_windowName.ToString16(), u"Popup \U0001D11E");

    Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1setOffscreen(env, info, nullptr);
    EXPECT_FALSE(record->m_bWindowRenderingDisabled) << "no canvas, no window";
    Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1setOffscreen(env, info, canvas);
    EXPECT_TRUE(record->m_bWindowRenderingDisabled);
    Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1setTransparentPainting(env, info, 2);
    EXPECT_FALSE(record->m_bTransparentPainting);
    Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1setTransparentPainting(env, info, 1);
    EXPECT_TRUE(record->m_bTransparentPainting);
    Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1dispose(env, info);
    EXPECT_EQ(JavaVmFixture::handleOf(info, Kinds::WindowInfo.handleField), 0);
}

TEST_F(BridgeFrameTest, StreamReadNeverWritesPastTheBuffer) {
    const char data[] = "hello, stream reader";
    CefRefPtr<CefStreamReader> stream = CefStreamReader::CreateForData(data, sizeof data - 1);
    jobject reader = ClientObjects::wrapReferenced(env, Kinds::StreamReader.className,
                                                   Kinds::StreamReader.handleField, stream.get());
    std::vector<char> memory(16, '#');
    jobject buffer = env->NewDirectByteBuffer(memory.data(), 5);
    EXPECT_EQ(
        Java_com_plenfox_lib_wrapper_cef_NativeCefStreamReader_n_1read(env, reader, buffer, 100),
        5);
    EXPECT_EQ(std::string(memory.data(), 6), "hello#");
    EXPECT_EQ(Java_com_plenfox_lib_wrapper_cef_NativeCefStreamReader_n_1tell(env, reader), 5);
    EXPECT_EQ(
        Java_com_plenfox_lib_wrapper_cef_NativeCefStreamReader_n_1seek(env, reader, 0, SEEK_SET),
        0);
    EXPECT_NE(
        Java_com_plenfox_lib_wrapper_cef_NativeCefStreamReader_n_1seek(env, reader, -5, SEEK_SET),
        0);
    jobject heapBuffer = env->NewStringUTF("not a direct buffer");
    EXPECT_EQ(
        Java_com_plenfox_lib_wrapper_cef_NativeCefStreamReader_n_1read(env, reader, heapBuffer, 3),
        -1);

    Java_com_plenfox_lib_wrapper_cef_NativeCefStreamReader_n_1dispose(env, reader);
    EXPECT_EQ(stream->GetRefCt(), 1) << "dispose gives back the handle's reference";
    EXPECT_EQ(
        Java_com_plenfox_lib_wrapper_cef_NativeCefStreamReader_n_1read(env, reader, buffer, 1), -1);
    EXPECT_EQ(Java_com_plenfox_lib_wrapper_cef_NativeCefStreamReader_n_1tell(env, reader), -1);
}

class CountingDownload : public CefDownloadHandler {
public:
    bool ReceivedData(void* data, int size) override {
        received.append(static_cast<const char*>(data), static_cast<std::size_t>(size));
        return true;
    }
    void Complete() override {}
    std::string received;

    IMPLEMENT_REFCOUNTING(CountingDownload)
};

TEST_F(BridgeFrameTest, DownloadHandlerExportsPassTheBufferAndRelease) {
    CefRefPtr<CountingDownload> handler = new CountingDownload();
    jobject client = ClientObjects::wrapReferenced<CefDownloadHandler>(
        env, Kinds::DownloadHandler.className, Kinds::DownloadHandler.handleField, handler.get());
    char bytes[] = "zip bytes";
    jobject buffer = env->NewDirectByteBuffer(bytes, 3);
    EXPECT_TRUE(Java_com_plenfox_lib_wrapper_cef_NativeCefDownloadHandler_n_1receivedData(
        env, client, buffer));
    EXPECT_EQ(handler->received, "zip");
    EXPECT_EQ(handler->GetRefCt(), 2);
    Java_com_plenfox_lib_wrapper_cef_NativeCefDownloadHandler_n_1dispose(env, client);
    Java_com_plenfox_lib_wrapper_cef_NativeCefDownloadHandler_n_1dispose(env, client);
    EXPECT_EQ(handler->GetRefCt(), 1);
    EXPECT_FALSE(Java_com_plenfox_lib_wrapper_cef_NativeCefDownloadHandler_n_1receivedData(
        env, client, buffer));
}

class SubstitutingFilter : public CefContentFilter {
public:
    void ProcessData(const void* data, int size, CefRefPtr<CefStreamReader>& substitute) override {
        seen.assign(static_cast<const char*>(data), static_cast<std::size_t>(size));
        substitute = CefStreamReader::CreateForData("new body", 8);
    }
    void Drain(CefRefPtr<CefStreamReader>& remainder) override { remainder = nullptr; }
    std::string seen;

    IMPLEMENT_REFCOUNTING(SubstitutingFilter)
};

TEST_F(BridgeFrameTest, ContentFilterExportsStoreTheFiltersAnswerInTheBox) {
    CefRefPtr<SubstitutingFilter> filter = new SubstitutingFilter();
    jobject client = ClientObjects::wrapReferenced<CefContentFilter>(
        env, Kinds::ContentFilter.className, Kinds::ContentFilter.handleField, filter.get());
    jclass boxClass = env->FindClass("com/plenfox/lib/wrapper/cef/CefStreamReaderBox");
    jobject box = env->NewObject(
        boxClass,
        env->GetMethodID(boxClass, "<init>", "(Lcom/plenfox/lib/wrapper/cef/CefStreamReader;)V"),
        nullptr);
    ASSERT_FALSE(env->ExceptionCheck());
    char body[] = "old body";
    jobject buffer = env->NewDirectByteBuffer(body, 8);
    Java_com_plenfox_lib_wrapper_cef_NativeCefContentFilter_n_1processData(env, client, buffer,
                                                                           box);
    EXPECT_EQ(filter->seen, "old body");

    jobject reader = env->CallObjectMethod(
        box,
        env->GetMethodID(boxClass, "getValue", "()Lcom/plenfox/lib/wrapper/cef/CefStreamReader;"));
    ASSERT_FALSE(env->ExceptionCheck());
    ASSERT_NE(reader, nullptr);
    auto* stream = fromHandle<CefStreamReader>(
        JavaVmFixture::handleOf(reader, Kinds::StreamReader.handleField));
    ASSERT_NE(stream, nullptr);
    char read[16] = {};
    EXPECT_EQ(stream->Read(read, 1, sizeof read), 8u);
    EXPECT_EQ(std::string(read), "new body");

    Java_com_plenfox_lib_wrapper_cef_NativeCefContentFilter_n_1drain(env, client, box);
    jobject drained = env->CallObjectMethod(
        box,
        env->GetMethodID(boxClass, "getValue", "()Lcom/plenfox/lib/wrapper/cef/CefStreamReader;"));
    ASSERT_FALSE(env->ExceptionCheck());
    EXPECT_EQ(drained, nullptr);
    Java_com_plenfox_lib_wrapper_cef_NativeCefContentFilter_n_1dispose(env, client);
    EXPECT_EQ(filter->GetRefCt(), 1);
}

TEST_F(BridgeFrameTest, EngineDoesNotStartWithoutASettingsRecord) {
    jobject settings =
        Java_com_plenfox_lib_wrapper_cef_NativeCefFactory_n_1createSettings__(env, nullptr);
    Java_com_plenfox_lib_wrapper_cef_NativeCefSettings_n_1dispose(env, settings);
    EXPECT_FALSE(Java_com_plenfox_lib_wrapper_cef_NativeCefFactory_n_1initialize(
        env, nullptr, settings, nullptr));
    EXPECT_FALSE(Java_com_plenfox_lib_wrapper_cef_NativeCefFactory_n_1initialize(env, nullptr,
                                                                                 nullptr, nullptr));
}

TEST_F(BridgeFrameTest, ProxyTypeOutsideTheEngineValuesIsIgnored) {
    jobject info =
        ClientObjects::wrapOwned(env, Kinds::ProxyInfo.className, Kinds::ProxyInfo.handleField,
                                 std::make_unique<CefProxyInfo>());
    Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1setProxyType(env, info, 2);
    Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1setProxyType(env, info, 77);
    EXPECT_EQ(Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1getProxyType(env, info), 2);
    Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1dispose(env, info);
    EXPECT_EQ(Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1getProxyType(env, info), -1);
}

} // namespace
