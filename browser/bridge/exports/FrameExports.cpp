#include "browser/bridge/ExportSupport.h"

#include "cef_browser.h"
#include "cef_frame.h"
#include "cef_task.h"

using namespace viewlink;

namespace {

template <class Action> void act(JNIEnv* env, jobject self, Action action) {
    guarded([&] {
        if (CefRefPtr<CefFrame> frame = referencedBy<CefFrame>(env, self, Kinds::Frame))
            action(*frame);
    });
}

template <class T, class Question> T ask(JNIEnv* env, jobject self, T fallback, Question question) {
    return guarded(fallback, [&]() -> T {
        CefRefPtr<CefFrame> frame = referencedBy<CefFrame>(env, self, Kinds::Frame);
        return frame ? question(*frame) : fallback;
    });
}

jstring text(JNIEnv* env, jobject self, CefString (CefFrame::*read)()) {
    return ask(env, self, jstring{nullptr},
               [env, read](CefFrame& f) { return JavaStrings::toClient(env, (f.*read)()); });
}

// The page's markup and text are only answered on the engine's UI thread.
jstring uiText(JNIEnv* env, jobject self, CefString (CefFrame::*read)()) {
    if (!CefCurrentlyOn(TID_UI))
        return nullptr;
    return text(env, self, read);
}

} // namespace

#define VIEWLINK_FRAME_ACTION(method, Call)                                                        \
    VIEWLINK_EXPORT(void, NativeCefFrame, method)(JNIEnv * env, jobject self) {                    \
        act(env, self, [](CefFrame& f) { f.Call(); });                                             \
    }

VIEWLINK_FRAME_ACTION(undo, Undo)
VIEWLINK_FRAME_ACTION(redo, Redo)
VIEWLINK_FRAME_ACTION(cut, Cut)
VIEWLINK_FRAME_ACTION(copy, Copy)
VIEWLINK_FRAME_ACTION(paste, Paste)
VIEWLINK_FRAME_ACTION(delete, Delete)
VIEWLINK_FRAME_ACTION(selectAll, SelectAll)
VIEWLINK_FRAME_ACTION(print, Print)
VIEWLINK_FRAME_ACTION(viewSource, ViewSource)

VIEWLINK_EXPORT(jstring, NativeCefFrame, getSource)(JNIEnv* env, jobject self) {
    return uiText(env, self, &CefFrame::GetSource);
}

VIEWLINK_EXPORT(jstring, NativeCefFrame, getText)(JNIEnv* env, jobject self) {
    return uiText(env, self, &CefFrame::GetText);
}

VIEWLINK_EXPORT(void, NativeCefFrame, loadRequest)(JNIEnv* env, jobject self, jobject request) {
    act(env, self, [&](CefFrame& f) {
        if (CefRefPtr<CefRequest> r = referencedBy<CefRequest>(env, request, Kinds::Request))
            f.LoadRequest(r);
    });
}

VIEWLINK_EXPORT(void, NativeCefFrame, loadURL)(JNIEnv* env, jobject self, jstring url) {
    act(env, self, [&](CefFrame& f) {
        CefString address;
        if (JavaStrings::toEngine(env, url, address))
            f.LoadURL(address);
    });
}

VIEWLINK_EXPORT(void, NativeCefFrame, loadString)
(JNIEnv* env, jobject self, jstring content, jstring url) {
    act(env, self, [&](CefFrame& f) {
        CefString markup;
        CefString address;
        if (JavaStrings::toEngine(env, content, markup) && JavaStrings::toEngine(env, url, address))
            f.LoadString(markup, address);
    });
}

VIEWLINK_EXPORT(void, NativeCefFrame, loadStream)
(JNIEnv* env, jobject self, jobject reader, jstring url) {
    act(env, self, [&](CefFrame& f) {
        CefRefPtr<CefStreamReader> stream =
            referencedBy<CefStreamReader>(env, reader, Kinds::StreamReader);
        CefString address;
        if (stream && JavaStrings::toEngine(env, url, address))
            f.LoadStream(stream, address);
    });
}

VIEWLINK_EXPORT(void, NativeCefFrame, executeJavaScript)
(JNIEnv* env, jobject self, jstring code, jstring scriptUrl, jint startLine) {
    act(env, self, [&](CefFrame& f) {
        CefString script;
        CefString address;
        if (JavaStrings::toEngine(env, code, script) &&
            JavaStrings::toEngine(env, scriptUrl, address))
            f.ExecuteJavaScript(script, address, startLine);
    });
}

VIEWLINK_EXPORT(jboolean, NativeCefFrame, isMain)(JNIEnv* env, jobject self) {
    return ask(env, self, JNI_FALSE, [](CefFrame& f) { return toJava(f.IsMain()); });
}

VIEWLINK_EXPORT(jboolean, NativeCefFrame, isFocused)(JNIEnv* env, jobject self) {
    return ask(env, self, JNI_FALSE, [](CefFrame& f) { return toJava(f.IsFocused()); });
}

VIEWLINK_EXPORT(jstring, NativeCefFrame, getName)(JNIEnv* env, jobject self) {
    return text(env, self, &CefFrame::GetName);
}

VIEWLINK_EXPORT(jstring, NativeCefFrame, getURL)(JNIEnv* env, jobject self) {
    return text(env, self, &CefFrame::GetURL);
}

VIEWLINK_EXPORT(void, NativeCefFrame, dispose)(JNIEnv* env, jobject self) {
    disposeReferenced<CefFrame>(env, self, Kinds::Frame);
}
