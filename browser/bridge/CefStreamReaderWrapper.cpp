#include "browser/bridge/CefStreamReaderWrapper.h"

#include "browser/bridge/ClientArguments.h"
#include "browser/bridge/JavaCallScope.h"

#include <limits>

namespace viewlink {

using namespace plenfox::boundary;

CefStreamReaderWrapper::CefStreamReaderWrapper(JNIEnv* env, jobject reader)
    : CefJavaGlobalRef(env, reader), read_{vm(), object(), Methods::StreamReaderRead},
      seek_{vm(), object(), Methods::StreamReaderSeek},
      tell_{vm(), object(), Methods::StreamReaderTell}, eof_{vm(), object(),
                                                             Methods::StreamReaderEof} {}

std::size_t CefStreamReaderWrapper::Read(void* ptr, std::size_t size, std::size_t n) {
    constexpr auto Largest = static_cast<std::size_t>(std::numeric_limits<jlong>::max());
    if (!ptr || size == 0 || n == 0 || n > Largest / size)
        return 0;
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return 0;
    jvalue args[2];
    args[0].l = ClientArguments::buffer(env, ptr, static_cast<jlong>(size * n));
    if (!args[0].l)
        return 0;
    args[1].j = static_cast<jlong>(n);
    const jlong items = read_.callLong(env, args, 0);
    if (items <= 0)
        return 0;
    return std::min(static_cast<std::size_t>(items), n);
}

int CefStreamReaderWrapper::Seek(int64 offset, int whence) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return -1;
    jvalue args[2];
    args[0].j = offset;
    args[1].l = ClientArguments::enumeration(env, Methods::SeekTypeFromInt, whence);
    return seek_.callBoolean(env, args) ? 0 : -1;
}

int64 CefStreamReaderWrapper::Tell() {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return 0;
    return tell_.callLong(env, nullptr, 0);
}

int CefStreamReaderWrapper::Eof() {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return 0;
    return eof_.callBoolean(env) ? 1 : 0;
}

} // namespace viewlink
