#include "browser/bridge/CefJavaGlobalRef.h"

#include "browser/bridge/JniSupport.h"

namespace viewlink {

CefJavaGlobalRef::CefJavaGlobalRef(JNIEnv* env, jobject object) {
    if (env->GetJavaVM(&vm_) != JNI_OK)
        vm_ = nullptr;
    if (object)
        object_ = env->NewGlobalRef(object);
}

CefJavaGlobalRef::~CefJavaGlobalRef() {
    if (!vm_ || !object_)
        return;
    JNIEnv* env = nullptr;
    if (vm_->GetEnv(reinterpret_cast<void**>(&env), JniVersion) == JNI_OK && env)
        env->DeleteGlobalRef(object_);
}

} // namespace viewlink
