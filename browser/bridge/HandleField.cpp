#include "browser/bridge/HandleField.h"

namespace viewlink {

namespace {

jfieldID findHandleField(JNIEnv* env, jobject object, const char* fieldName) {
    if (!env || !object)
        return nullptr;
    LocalRef<jclass> cls(env, env->GetObjectClass(object));
    if (!cls)
        return nullptr;
    jfieldID field = env->GetFieldID(cls.get(), fieldName, "J");
    if (clearPendingException(env))
        return nullptr;
    return field;
}

} // namespace

jlong HandleField::read(JNIEnv* env, jobject object, const char* fieldName) {
    jfieldID field = findHandleField(env, object, fieldName);
    return field ? env->GetLongField(object, field) : 0;
}

bool HandleField::write(JNIEnv* env, jobject object, const char* fieldName, jlong value) {
    jfieldID field = findHandleField(env, object, fieldName);
    if (!field)
        return false;
    env->SetLongField(object, field, value);
    return true;
}

} // namespace viewlink
