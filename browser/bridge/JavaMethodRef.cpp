#include "browser/bridge/JavaMethodRef.h"

#include "browser/bridge/JniSupport.h"

namespace viewlink {

jmethodID JavaMethodRef::lookup(JNIEnv* env) const {
    if (!env || !target)
        return nullptr;
    LocalRef<jclass> cls(env, env->GetObjectClass(target));
    if (!cls)
        return nullptr;
    jmethodID id = env->GetMethodID(cls.get(), method.name, method.signature);
    if (clearPendingException(env))
        return nullptr;
    return id;
}

bool JavaMethodRef::cleared(JNIEnv* env, bool* threw) {
    const bool raised = clearPendingException(env);
    if (threw)
        *threw = raised;
    return raised;
}

bool JavaMethodRef::callBoolean(JNIEnv* env, const jvalue* args, bool* threw) const {
    jmethodID method = lookup(env);
    if (!method)
        return false;
    const jboolean result = env->CallBooleanMethodA(target, method, args);
    if (cleared(env, threw))
        return false;
    return isTrue(result);
}

jobject JavaMethodRef::callObject(JNIEnv* env, const jvalue* args, bool* threw) const {
    jmethodID method = lookup(env);
    if (!method)
        return nullptr;
    jobject result = env->CallObjectMethodA(target, method, args);
    if (cleared(env, threw)) {
        if (result)
            env->DeleteLocalRef(result);
        return nullptr;
    }
    return result;
}

void JavaMethodRef::callVoid(JNIEnv* env, const jvalue* args, bool* threw) const {
    jmethodID method = lookup(env);
    if (!method)
        return;
    env->CallVoidMethodA(target, method, args);
    cleared(env, threw);
}

jlong JavaMethodRef::callLong(JNIEnv* env, const jvalue* args, jlong fallback) const {
    jmethodID method = lookup(env);
    if (!method)
        return fallback;
    const jlong result = env->CallLongMethodA(target, method, args);
    if (clearPendingException(env))
        return fallback;
    return result;
}

} // namespace viewlink
