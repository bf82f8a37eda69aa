#include "browser/bridge/ExportSupport.h"

#include "cef_response.h"

#include <memory>

using namespace viewlink;

namespace {

using HeaderMap = CefResponse::HeaderMap;

template <class Action> void act(JNIEnv* env, jobject self, Action action) {
    guarded([&] {
        if (CefRefPtr<CefResponse> response = referencedBy<CefResponse>(env, self, Kinds::Response))
            action(*response);
    });
}

template <class T, class Question> T ask(JNIEnv* env, jobject self, T fallback, Question question) {
    return guarded(fallback, [&]() -> T {
        CefRefPtr<CefResponse> response = referencedBy<CefResponse>(env, self, Kinds::Response);
        return response ? question(*response) : fallback;
    });
}

void setText(JNIEnv* env, jobject self, jstring value,
             void (CefResponse::*write)(const CefString&)) {
    act(env, self, [&](CefResponse& r) {
        CefString text;
        if (JavaStrings::toEngine(env, value, text))
            (r.*write)(text);
    });
}

jstring text(JNIEnv* env, jobject self, CefString (CefResponse::*read)()) {
    return ask(env, self, jstring{nullptr},
               [env, read](CefResponse& r) { return JavaStrings::toClient(env, (r.*read)()); });
}

} // namespace

VIEWLINK_EXPORT(jint, NativeCefResponse, getStatus)(JNIEnv* env, jobject self) {
    return ask(env, self, jint{0}, [](CefResponse& r) { return jint{r.GetStatus()}; });
}

VIEWLINK_EXPORT(void, NativeCefResponse, setStatus)(JNIEnv* env, jobject self, jint status) {
    act(env, self, [status](CefResponse& r) { r.SetStatus(status); });
}

VIEWLINK_EXPORT(jstring, NativeCefResponse, getStatusText)(JNIEnv* env, jobject self) {
    return text(env, self, &CefResponse::GetStatusText);
}

VIEWLINK_EXPORT(jstring, NativeCefResponse, getMimeType)(JNIEnv* env, jobject self) {
    return text(env, self, &CefResponse::GetMimeType);
}

VIEWLINK_EXPORT(void, NativeCefResponse, setStatusText)(JNIEnv* env, jobject self, jstring value) {
    setText(env, self, value, &CefResponse::SetStatusText);
}

VIEWLINK_EXPORT(void, NativeCefResponse, setMimeType)(JNIEnv* env, jobject self, jstring value) {
    setText(env, self, value, &CefResponse::SetMimeType);
}

VIEWLINK_EXPORT(jstring, NativeCefResponse, getHeader)(JNIEnv* env, jobject self, jstring name) {
    return ask(env, self, jstring{nullptr}, [&](CefResponse& r) -> jstring {
        CefString header;
        if (!JavaStrings::toEngine(env, name, header))
            return nullptr;
        return JavaStrings::toClient(env, r.GetHeader(header));
    });
}

VIEWLINK_EXPORT(jobject, NativeCefResponse, getHeaderMap)(JNIEnv* env, jobject self) {
    return ask(env, self, jobject{nullptr}, [env](CefResponse& r) {
        auto headers = std::make_unique<HeaderMap>();
        r.GetHeaderMap(*headers);
        return ClientObjects::wrapOwned(env, Kinds::HeaderMap.className,
                                        Kinds::HeaderMap.handleField, std::move(headers));
    });
}

VIEWLINK_EXPORT(void, NativeCefResponse, setHeaderMap)(JNIEnv* env, jobject self, jobject map) {
    act(env, self, [&](CefResponse& r) {
        if (HeaderMap* headers = ownedBy<HeaderMap>(env, map, Kinds::HeaderMap))
            r.SetHeaderMap(*headers);
    });
}

VIEWLINK_EXPORT(void, NativeCefResponse, dispose)(JNIEnv* env, jobject self) {
    disposeReferenced<CefResponse>(env, self, Kinds::Response);
}
