#include "browser/bridge/JavaCallScope.h"

#include "browser/bridge/JniSupport.h"

namespace viewlink {

JavaCallScope::JavaCallScope(JavaVM* vm, jint capacity) {
    JNIEnv* env = nullptr;
    if (!vm || vm->GetEnv(reinterpret_cast<void**>(&env), JniVersion) != JNI_OK || !env)
        return;
    attached_ = true;
    if (env->PushLocalFrame(capacity) != 0) {
        clearPendingException(env);
        return;
    }
    env_ = env;
}

JavaCallScope::~JavaCallScope() {
    if (!env_)
        return;
    clearPendingException(env_);
    env_->PopLocalFrame(nullptr);
}

} // namespace viewlink
