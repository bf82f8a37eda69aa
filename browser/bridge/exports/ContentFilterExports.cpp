#include "browser/bridge/CefStreamReaderWrapper.h"
#include "browser/bridge/ClientArguments.h"
#include "browser/bridge/ExportSupport.h"

#include "cef_content_filter.h"

#include <limits>

using namespace viewlink;

namespace {

// Calls a method of the client's stream reader box; false when it raised.
bool callBox(JNIEnv* env, jobject box, const Method& boxMethod, jvalue* arg, jobject* result) {
    LocalRef<jclass> cls(env, env->GetObjectClass(box));
    jmethodID method = env->GetMethodID(cls.get(), boxMethod.name, boxMethod.signature);
    if (clearPendingException(env) || !method)
        return false;
    if (result)
        *result = env->CallObjectMethodA(box, method, arg);
    else
        env->CallVoidMethodA(box, method, arg);
    return !clearPendingException(env);
}

// Runs one filter step with the box's reader as the stream and stores the
// filter's answer back into the box once.
template <class Step> void filterWithBox(JNIEnv* env, jobject self, jobject box, Step step) {
    CefRefPtr<CefContentFilter> filter =
        referencedBy<CefContentFilter>(env, self, Kinds::ContentFilter);
    if (!filter || !box)
        return;
    jobject current = nullptr;
    if (!callBox(env, box, Methods::StreamReaderBoxGetValue, nullptr, &current))
        return;
    CefRefPtr<CefStreamReader> stream;
    if (current) {
        stream = new CefStreamReaderWrapper(env, current);
        env->DeleteLocalRef(current);
    }
    step(*filter, stream);
    jvalue answer;
    answer.l = ClientArguments::streamReader(env, stream);
    if (stream && !answer.l)
        return;
    callBox(env, box, Methods::StreamReaderBoxSetValue, &answer, nullptr);
    if (answer.l)
        env->DeleteLocalRef(answer.l);
}

} // namespace

VIEWLINK_EXPORT(void, NativeCefContentFilter, processData)
(JNIEnv* env, jobject self, jobject buffer, jobject box) {
    const BufferRegion region = BufferRegion::of(env, buffer);
    if (!region.valid() || region.capacity > std::numeric_limits<int>::max())
        return;
    filterWithBox(env, self, box, [&](CefContentFilter& filter, CefRefPtr<CefStreamReader>& s) {
        filter.ProcessData(region.address, static_cast<int>(region.capacity), s);
    });
}

VIEWLINK_EXPORT(void, NativeCefContentFilter, drain)(JNIEnv* env, jobject self, jobject box) {
    filterWithBox(env, self, box,
                  [](CefContentFilter& filter, CefRefPtr<CefStreamReader>& s) { filter.Drain(s); });
}

VIEWLINK_EXPORT(void, NativeCefContentFilter, dispose)(JNIEnv* env, jobject self) {
    disposeReferenced<CefContentFilter>(env, self, Kinds::ContentFilter);
}
