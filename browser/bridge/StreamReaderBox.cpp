#include "browser/bridge/StreamReaderBox.h"

#include "browser/bridge/CefStreamReaderWrapper.h"
#include "browser/bridge/ClientArguments.h"

namespace viewlink {

using namespace plenfox::boundary;

namespace {

jvalue initialValue(JNIEnv* env, CefRefPtr<CefStreamReader> current) {
    jvalue value;
    value.l = ClientArguments::streamReader(env, current);
    return value;
}

} // namespace

StreamReaderBox::StreamReaderBox(JNIEnv* env, CefRefPtr<CefStreamReader> current)
    : env_(env), box_(env, Methods::StreamReaderBoxInit, initialValue(env, current)) {}

void StreamReaderBox::writeBack(CefRefPtr<CefStreamReader>& out) {
    jobject reader = nullptr;
    if (!box_.readObject(Methods::StreamReaderBoxGetValue, reader))
        return;
    if (!reader) {
        out = nullptr;
        return;
    }
    out = new CefStreamReaderWrapper(env_, reader);
    env_->DeleteLocalRef(reader);
}

} // namespace viewlink
