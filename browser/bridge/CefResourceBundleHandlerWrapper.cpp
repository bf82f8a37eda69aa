#include "browser/bridge/CefResourceBundleHandlerWrapper.h"

#include "browser/bridge/JavaBox.h"
#include "browser/bridge/JavaCallScope.h"
#include "browser/bridge/JavaStrings.h"
#include "browser/bridge/JniSupport.h"

namespace viewlink {

using namespace plenfox::boundary;

CefResourceBundleHandlerWrapper::CefResourceBundleHandlerWrapper(JNIEnv* env, jobject handler)
    : CefJavaGlobalRef(env, handler), getLocalizedString_{
                                          vm(), object(),
                                          Methods::ResourceBundleHandlerGetLocalizedString} {}

bool CefResourceBundleHandlerWrapper::GetLocalizedString(int message_id, CefString& string) {
    if (string.empty())
        return false;
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return false;
    jvalue initial;
    initial.l = JavaStrings::toClient(env, string);
    JavaBox box(env, Methods::StringBoxInit, initial);
    if (!box.made())
        return false;
    jvalue args[2];
    args[0].i = message_id;
    args[1].l = box.object();
    bool threw = false;
    if (!getLocalizedString_.callBoolean(env, args, &threw) || threw)
        return false;
    jobject value = nullptr;
    if (!box.readObject(Methods::StringBoxGetValue, value) || !value)
        return false;
    LocalRef<jclass> stringClass(env, env->FindClass("java/lang/String"));
    const bool isText = !clearPendingException(env) && stringClass &&
                        env->IsInstanceOf(value, stringClass.get()) == JNI_TRUE;
    if (isText)
        JavaStrings::toEngine(env, static_cast<jstring>(value), string);
    env->DeleteLocalRef(value);
    return isText;
}

} // namespace viewlink
