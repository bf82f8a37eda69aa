#include "browser/bridge/CefContentFilterWrapper.h"

#include "browser/bridge/ClientArguments.h"
#include "browser/bridge/JavaCallScope.h"
#include "browser/bridge/JniSupport.h"
#include "browser/bridge/StreamReaderBox.h"

namespace viewlink {

using namespace plenfox::boundary;

namespace {

// A read-only view of a direct buffer over the body, so the client cannot
// change the engine's memory.
jobject readOnlyBuffer(JNIEnv* env, const void* data, int size) {
    LocalRef<> buffer(env, ClientArguments::buffer(env, data, size));
    if (!buffer)
        return nullptr;
    LocalRef<jclass> cls(env, env->GetObjectClass(buffer.get()));
    jmethodID asReadOnly =
        env->GetMethodID(cls.get(), "asReadOnlyBuffer", "()Ljava/nio/ByteBuffer;");
    if (clearPendingException(env) || !asReadOnly)
        return nullptr;
    jobject view = env->CallObjectMethod(buffer.get(), asReadOnly);
    if (clearPendingException(env))
        return nullptr;
    return view;
}

} // namespace

CefContentFilterWrapper::CefContentFilterWrapper(JNIEnv* env, jobject filter)
    : CefJavaGlobalRef(env, filter), processData_{vm(), object(),
                                                  Methods::ContentFilterProcessData},
      drain_{vm(), object(), Methods::ContentFilterDrain} {}

void CefContentFilterWrapper::ProcessData(const void* data, int data_size,
                                          CefRefPtr<CefStreamReader>& substitute_data) {
    if ((!data && data_size > 0) || data_size < 0)
        return;
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return;
    StreamReaderBox box(env, substitute_data);
    jvalue args[2];
    args[0].l = readOnlyBuffer(env, data, data_size);
    args[1].l = box.object();
    bool threw = false;
    processData_.callVoid(env, args, &threw);
    if (!threw)
        box.writeBack(substitute_data);
}

void CefContentFilterWrapper::Drain(CefRefPtr<CefStreamReader>& remainder) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return;
    StreamReaderBox box(env, remainder);
    jvalue arg;
    arg.l = box.object();
    bool threw = false;
    drain_.callVoid(env, &arg, &threw);
    if (!threw)
        box.writeBack(remainder);
}

} // namespace viewlink
