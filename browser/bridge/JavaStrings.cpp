#include "browser/bridge/JavaStrings.h"

#include "browser/bridge/JniSupport.h"
#include "browser/bridge/ModifiedUtf8.h"

namespace viewlink {

bool JavaStrings::toEngine(JNIEnv* env, jstring text, CefString& out) {
    out.clear();
    if (!env || !text)
        return false;
    const char* bytes = env->GetStringUTFChars(text, nullptr);
    if (clearPendingException(env) || !bytes)
        return false;
    const jsize length = env->GetStringUTFLength(text);
    out = CefString(fromModifiedUtf8(std::string_view(bytes, static_cast<size_t>(length))));
    env->ReleaseStringUTFChars(text, bytes);
    return true;
}

jstring JavaStrings::toClient(JNIEnv* env, const CefString& text) {
    if (!env || text.empty())
        return nullptr;
    const std::string bytes = toModifiedUtf8(text.ToString16());
    jstring result = env->NewStringUTF(bytes.c_str());
    if (clearPendingException(env))
        return nullptr;
    return result;
}

} // namespace viewlink
