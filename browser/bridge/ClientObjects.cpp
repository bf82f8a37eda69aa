#include "browser/bridge/ClientObjects.h"

namespace viewlink {

jobject ClientObjects::create(JNIEnv* env, const char* className) {
    LocalRef<jclass> cls(env, env->FindClass(className));
    if (clearPendingException(env) || !cls)
        return nullptr;
    jmethodID constructor = env->GetMethodID(cls.get(), "<init>", "()V");
    if (clearPendingException(env) || !constructor)
        return nullptr;
    jobject object = env->NewObject(cls.get(), constructor);
    if (clearPendingException(env)) {
        if (object)
            env->DeleteLocalRef(object);
        return nullptr;
    }
    return object;
}

} // namespace viewlink
