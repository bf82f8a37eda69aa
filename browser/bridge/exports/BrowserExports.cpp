#include "browser/bridge/ExportSupport.h"

#include "cef_browser.h"

using namespace viewlink;

namespace {

CefRefPtr<CefBrowser> browserOf(JNIEnv* env, jobject self) {
    return referencedBy<CefBrowser>(env, self, Kinds::Browser);
}

// Runs an action on the browser when the handle is set.
template <class Action> void act(JNIEnv* env, jobject self, Action action) {
    guarded([&] {
        if (CefRefPtr<CefBrowser> browser = browserOf(env, self))
            action(*browser);
    });
}

// Answers a question of the browser, or fallback for a zero handle.
template <class T, class Question> T ask(JNIEnv* env, jobject self, T fallback, Question question) {
    return guarded(fallback, [&]() -> T {
        CefRefPtr<CefBrowser> browser = browserOf(env, self);
        return browser ? question(*browser) : fallback;
    });
}

} // namespace

VIEWLINK_EXPORT(jboolean, NativeCefBrowser, canGoBack)(JNIEnv* env, jobject self) {
    return ask(env, self, JNI_FALSE, [](CefBrowser& b) { return toJava(b.CanGoBack()); });
}

VIEWLINK_EXPORT(void, NativeCefBrowser, goBack)(JNIEnv* env, jobject self) {
    act(env, self, [](CefBrowser& b) { b.GoBack(); });
}

VIEWLINK_EXPORT(jboolean, NativeCefBrowser, canGoForward)(JNIEnv* env, jobject self) {
    return ask(env, self, JNI_FALSE, [](CefBrowser& b) { return toJava(b.CanGoForward()); });
}

VIEWLINK_EXPORT(void, NativeCefBrowser, goForward)(JNIEnv* env, jobject self) {
    act(env, self, [](CefBrowser& b) { b.GoForward(); });
}

VIEWLINK_EXPORT(void, NativeCefBrowser, reload)(JNIEnv* env, jobject self) {
    act(env, self, [](CefBrowser& b) { b.Reload(); });
}

VIEWLINK_EXPORT(void, NativeCefBrowser, reloadIgnoreCache)(JNIEnv* env, jobject self) {
    act(env, self, [](CefBrowser& b) { b.ReloadIgnoreCache(); });
}

VIEWLINK_EXPORT(void, NativeCefBrowser, stopLoad)(JNIEnv* env, jobject self) {
    act(env, self, [](CefBrowser& b) { b.StopLoad(); });
}

VIEWLINK_EXPORT(void, NativeCefBrowser, setFocus)(JNIEnv* env, jobject self, jboolean enable) {
    act(env, self, [enable](CefBrowser& b) { b.SetFocus(isTrue(enable)); });
}

VIEWLINK_EXPORT(jlong, NativeCefBrowser, getWindowHandle)(JNIEnv* env, jobject self) {
    return ask(env, self, jlong{0}, [](CefBrowser& b) {
        return static_cast<jlong>(
            reinterpret_cast<std::intptr_t>(reinterpret_cast<void*>(b.GetWindowHandle())));
    });
}

VIEWLINK_EXPORT(jboolean, NativeCefBrowser, isPopup)(JNIEnv* env, jobject self) {
    return ask(env, self, JNI_FALSE, [](CefBrowser& b) { return toJava(b.IsPopup()); });
}

VIEWLINK_EXPORT(void, NativeCefBrowser, setClientRectangle)
(JNIEnv* env, jobject self, jint x, jint y, jint width, jint height) {
    act(env, self,
        [=](CefBrowser& b) { CefSetBrowserWindowRect(b.GetWindowHandle(), x, y, width, height); });
}

VIEWLINK_EXPORT(void, NativeCefBrowser, close)(JNIEnv* env, jobject self) {
    act(env, self, [](CefBrowser& b) { b.CloseBrowser(); });
}

VIEWLINK_EXPORT(void, NativeCefBrowser, beforeParentClose)(JNIEnv* env, jobject self) {
    act(env, self, [](CefBrowser& b) { b.ParentWindowWillClose(); });
}

VIEWLINK_EXPORT(jobject, NativeCefBrowser, getMainFrame)(JNIEnv* env, jobject self) {
    return ask(env, self, jobject{nullptr}, [env](CefBrowser& b) {
        CefRefPtr<CefFrame> frame = b.GetMainFrame();
        return ClientObjects::wrapReferenced(env, Kinds::Frame.className, Kinds::Frame.handleField,
                                             frame.get());
    });
}

VIEWLINK_EXPORT(void, NativeCefBrowser, dispose)(JNIEnv* env, jobject self) {
    disposeReferenced<CefBrowser>(env, self, Kinds::Browser);
}
