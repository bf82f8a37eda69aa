#include "browser/bridge/JavaBox.h"

#include "browser/bridge/JavaMethodRef.h"
#include "browser/bridge/JavaStrings.h"
#include "browser/bridge/JniSupport.h"

namespace viewlink {

using namespace plenfox::boundary;

JavaBox::JavaBox(JNIEnv* env, const Method& constructor, jvalue initial) : env_(env) {
    LocalRef<jclass> cls(env, env->FindClass(constructor.className));
    if (clearPendingException(env) || !cls)
        return;
    jmethodID method = env->GetMethodID(cls.get(), constructor.name, constructor.signature);
    if (clearPendingException(env) || !method)
        return;
    LocalRef<> box(env, env->NewObjectA(cls.get(), method, &initial));
    if (clearPendingException(env) || !box)
        return;
    box_ = env->NewGlobalRef(box.get());
}

JavaBox::~JavaBox() {
    if (box_)
        env_->DeleteGlobalRef(box_);
}

bool JavaBox::readObject(const Method& getter, jobject& out) {
    out = nullptr;
    // An exception the client left pending means the answer is not to be used.
    if (!box_ || clearPendingException(env_))
        return false;
    JavaVM* vm = nullptr;
    env_->GetJavaVM(&vm);
    const JavaMethodRef getValue{vm, box_, getter};
    jmethodID method = getValue.lookup(env_);
    if (!method)
        return false;
    out = env_->CallObjectMethod(box_, method);
    if (clearPendingException(env_)) {
        if (out)
            env_->DeleteLocalRef(out);
        out = nullptr;
        return false;
    }
    written_ = true;
    return true;
}

bool JavaBox::writeBack(CefString& out) {
    jobject value = nullptr;
    if (!readObject(Methods::StringBoxGetValue, value))
        return false;
    CefString text;
    JavaStrings::toEngine(env_, static_cast<jstring>(value), text);
    out = text;
    if (value)
        env_->DeleteLocalRef(value);
    return true;
}

bool JavaBox::writeBack(bool& out) {
    if (!box_ || clearPendingException(env_))
        return false;
    LocalRef<jclass> cls(env_, env_->GetObjectClass(box_));
    jmethodID method = env_->GetMethodID(cls.get(), Methods::BooleanBoxGetValue.name,
                                         Methods::BooleanBoxGetValue.signature);
    if (clearPendingException(env_) || !method)
        return false;
    const jboolean value = env_->CallBooleanMethod(box_, method);
    if (clearPendingException(env_))
        return false;
    out = isTrue(value);
    written_ = true;
    return true;
}

} // namespace viewlink
