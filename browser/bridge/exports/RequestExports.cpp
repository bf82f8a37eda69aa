#include "browser/bridge/ExportSupport.h"

#include "cef_request.h"

#include <memory>

using namespace viewlink;

namespace {

using HeaderMap = CefRequest::HeaderMap;

template <class Action> void act(JNIEnv* env, jobject self, Action action) {
    guarded([&] {
        if (CefRefPtr<CefRequest> request = referencedBy<CefRequest>(env, self, Kinds::Request))
            action(*request);
    });
}

template <class T, class Question> T ask(JNIEnv* env, jobject self, T fallback, Question question) {
    return guarded(fallback, [&]() -> T {
        CefRefPtr<CefRequest> request = referencedBy<CefRequest>(env, self, Kinds::Request);
        return request ? question(*request) : fallback;
    });
}

// A null or unreadable text leaves the request unchanged.
void setText(JNIEnv* env, jobject self, jstring value,
             void (CefRequest::*write)(const CefString&)) {
    act(env, self, [&](CefRequest& r) {
        CefString text;
        if (JavaStrings::toEngine(env, value, text))
            (r.*write)(text);
    });
}

} // namespace

VIEWLINK_EXPORT(jstring, NativeCefRequest, getURL)(JNIEnv* env, jobject self) {
    return ask(env, self, jstring{nullptr},
               [env](CefRequest& r) { return JavaStrings::toClient(env, r.GetURL()); });
}

VIEWLINK_EXPORT(jstring, NativeCefRequest, getMethod)(JNIEnv* env, jobject self) {
    return ask(env, self, jstring{nullptr},
               [env](CefRequest& r) { return JavaStrings::toClient(env, r.GetMethod()); });
}

VIEWLINK_EXPORT(void, NativeCefRequest, setURL)(JNIEnv* env, jobject self, jstring url) {
    setText(env, self, url, &CefRequest::SetURL);
}

VIEWLINK_EXPORT(void, NativeCefRequest, setMethod)(JNIEnv* env, jobject self, jstring method) {
    setText(env, self, method, &CefRequest::SetMethod);
}

VIEWLINK_EXPORT(jobject, NativeCefRequest, getPostData)(JNIEnv* env, jobject self) {
    return ask(env, self, jobject{nullptr}, [env](CefRequest& r) {
        CefRefPtr<CefPostData> data = r.GetPostData();
        return ClientObjects::wrapReferenced(env, Kinds::PostData.className,
                                             Kinds::PostData.handleField, data.get());
    });
}

VIEWLINK_EXPORT(void, NativeCefRequest, setPostData)(JNIEnv* env, jobject self, jobject postData) {
    act(env, self, [&](CefRequest& r) {
        if (CefRefPtr<CefPostData> data = referencedBy<CefPostData>(env, postData, Kinds::PostData))
            r.SetPostData(data);
    });
}

VIEWLINK_EXPORT(jobject, NativeCefRequest, getHeaderMap)(JNIEnv* env, jobject self) {
    return ask(env, self, jobject{nullptr}, [env](CefRequest& r) {
        auto headers = std::make_unique<HeaderMap>();
        r.GetHeaderMap(*headers);
        return ClientObjects::wrapOwned(env, Kinds::HeaderMap.className,
                                        Kinds::HeaderMap.handleField, std::move(headers));
    });
}

VIEWLINK_EXPORT(void, NativeCefRequest, setHeaderMap)(JNIEnv* env, jobject self, jobject map) {
    act(env, self, [&](CefRequest& r) {
        if (HeaderMap* headers = ownedBy<HeaderMap>(env, map, Kinds::HeaderMap))
            r.SetHeaderMap(*headers);
    });
}

VIEWLINK_EXPORT(void, NativeCefRequest, set)
(JNIEnv* env, jobject self, jstring url, jstring method, jobject postData, jobject map) {
    act(env, self, [&](CefRequest& r) {
        CefString address;
        CefString verb;
        CefRefPtr<CefPostData> data = referencedBy<CefPostData>(env, postData, Kinds::PostData);
        HeaderMap* headers = ownedBy<HeaderMap>(env, map, Kinds::HeaderMap);
        if (JavaStrings::toEngine(env, url, address) && JavaStrings::toEngine(env, method, verb) &&
            data && headers)
            r.Set(address, verb, data, *headers);
    });
}

VIEWLINK_EXPORT(void, NativeCefRequest, dispose)(JNIEnv* env, jobject self) {
    disposeReferenced<CefRequest>(env, self, Kinds::Request);
}

VIEWLINK_EXPORT(void, NativeCefPostData, dispose)(JNIEnv* env, jobject self) {
    disposeReferenced<CefPostData>(env, self, Kinds::PostData);
}
