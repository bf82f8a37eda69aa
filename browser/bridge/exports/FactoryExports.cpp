#include "browser/bridge/CefAppWrapper.h"
#include "browser/bridge/CefClientWrapper.h"
#include "browser/bridge/ExportSupport.h"
#include "browser/bridge/JavaThreadAttachTask.h"

#include "cef_app.h"
#include "cef_browser.h"
#include "cef_task.h"

#include <memory>

using namespace viewlink;

namespace {

constexpr CefThreadId EngineThreads[] = {TID_UI, TID_IO, TID_FILE};

void postToEngineThreads(CefRefPtr<CefTask> task) {
    for (CefThreadId thread : EngineThreads)
        CefPostTask(thread, task);
}

// A new client object owning a copy of other's structure; null when other has none.
template <class Record> jobject copyOwned(JNIEnv* env, jobject other, const ClientKind& kind) {
    Record* source = ownedBy<Record>(env, other, kind);
    if (!source)
        return nullptr;
    return ClientObjects::wrapOwned(env, kind.className, kind.handleField,
                                    std::make_unique<Record>(*source));
}

template <class Record> jobject createOwned(JNIEnv* env, const ClientKind& kind) {
    return ClientObjects::wrapOwned(env, kind.className, kind.handleField,
                                    std::make_unique<Record>());
}

} // namespace

VIEWLINK_EXPORT(jboolean, NativeCefFactory, initialize)
(JNIEnv* env, jclass, jobject settings, jobject application) {
    auto* record = ownedBy<CefSettings>(env, settings, Kinds::Settings);
    JavaVM* vm = nullptr;
    if (!record || env->GetJavaVM(&vm) != JNI_OK)
        return JNI_FALSE;
    CefRefPtr<CefApp> app;
    if (application)
        app = new CefAppWrapper(env, application);
    if (!CefInitialize(*record, app))
        return JNI_FALSE;
    postToEngineThreads(new JavaThreadAttachTask(vm));
    return JNI_TRUE;
}

// The engine closes its browsers and ends its downloads before its threads
// stop, while they are still attached: the client hears every OnBeforeClose
// and lets go of every download handler. Each thread of the engine's own
// detaches as it ends.
VIEWLINK_EXPORT(void, NativeCefFactory, shutdown)(JNIEnv* env, jclass) {
    CefShutdown();
    JavaVM* vm = nullptr;
    if (env->GetJavaVM(&vm) == JNI_OK)
        JavaThreadAttachTask::detachMainThread(vm);
}

VIEWLINK_EXPORT(void, NativeCefFactory, createBrowser)
(JNIEnv* env, jclass, jobject windowInfo, jobject client, jstring url, jobject browserSettings) {
    auto* info = ownedBy<CefWindowInfo>(env, windowInfo, Kinds::WindowInfo);
    auto* settings = ownedBy<CefBrowserSettings>(env, browserSettings, Kinds::BrowserSettings);
    CefRefPtr<CefClientWrapper> wrapper;
    if (client)
        wrapper = new CefClientWrapper(env, client);
    CefString address;
    if (!JavaStrings::toEngine(env, url, address))
        return;
    // The engine copies what it needs: the client may dispose its records at once.
    if (info && settings && wrapper)
        CefBrowser::CreateBrowser(*info, wrapper.get(), address, *settings);
}

VIEWLINK_EXPORT(jobject, NativeCefFactory, createSettings__)(JNIEnv* env, jclass) {
    return createOwned<CefSettings>(env, Kinds::Settings);
}

VIEWLINK_EXPORT(jobject, NativeCefFactory,
                createSettings__Lcom_plenfox_lib_wrapper_cef_CefSettings_2)
(JNIEnv* env, jclass, jobject other) {
    return copyOwned<CefSettings>(env, other, Kinds::Settings);
}

VIEWLINK_EXPORT(jobject, NativeCefFactory, createBrowserSettings__)(JNIEnv* env, jclass) {
    return createOwned<CefBrowserSettings>(env, Kinds::BrowserSettings);
}

VIEWLINK_EXPORT(jobject, NativeCefFactory,
                createBrowserSettings__Lcom_plenfox_lib_wrapper_cef_CefBrowserSettings_2)
(JNIEnv* env, jclass, jobject other) {
    return copyOwned<CefBrowserSettings>(env, other, Kinds::BrowserSettings);
}

VIEWLINK_EXPORT(jobject, NativeCefFactory, createWindowInfo__)(JNIEnv* env, jclass) {
    return createOwned<CefWindowInfo>(env, Kinds::WindowInfo);
}

VIEWLINK_EXPORT(jobject, NativeCefFactory,
                createWindowInfo__Lcom_plenfox_lib_wrapper_cef_CefWindowInfo_2)
(JNIEnv* env, jclass, jobject other) {
    return copyOwned<CefWindowInfo>(env, other, Kinds::WindowInfo);
}
