#include "browser/bridge/JavaStrings.h"

#include "browser/bridge/JniSupport.h"
#include "lib/utf8/ModifiedUtf8.h"

namespace viewlink {

using plenfox::utf8::ModifiedUtf8;

bool JavaStrings::toEngine(JNIEnv* env, jstring text, CefString& out) {
    out.clear();
    if (!env || !text)
        return false;
    const char* bytes = env->GetStringUTFChars(text, nullptr);
    if (clearPendingException(env) || !bytes)
        return false;
    const jsize length = env->GetStringUTFLength(text);
    out = CefString(ModifiedUtf8::decode(std::string_view(bytes, static_cast<size_t>(length))));
    env->ReleaseStringUTFChars(text, bytes);
    return true;
}

jstring JavaStrings::toClient(JNIEnv* env, const CefString& text) {
    if (!env || text.empty())
        return nullptr;
    const std::string bytes = ModifiedUtf8::encode(text.ToString16());
    jstring result = env->NewStringUTF(bytes.c_str());
    if (clearPendingException(env))
        return nullptr;
    return result;
}

} // namespace viewlink
