#include "browser/bridge/ExportSupport.h"

#include "cef_stream.h"

#include <algorithm>

using namespace viewlink;

namespace {

CefRefPtr<CefStreamReader> readerOf(JNIEnv* env, jobject self) {
    return referencedBy<CefStreamReader>(env, self, Kinds::StreamReader);
}

} // namespace

// Reads up to n bytes into the buffer, never more than its capacity holds;
// answers the number of bytes read.
VIEWLINK_EXPORT(jlong, NativeCefStreamReader, read)
(JNIEnv* env, jobject self, jobject buffer, jlong n) {
    CefRefPtr<CefStreamReader> reader = readerOf(env, self);
    const BufferRegion region = BufferRegion::of(env, buffer);
    if (!reader || !region.valid())
        return -1;
    const jlong count = std::min(n, region.capacity);
    if (count <= 0)
        return 0;
    return static_cast<jlong>(reader->Read(region.address, 1, static_cast<std::size_t>(count)));
}

VIEWLINK_EXPORT(jint, NativeCefStreamReader, seek)
(JNIEnv* env, jobject self, jlong offset, jint whence) {
    CefRefPtr<CefStreamReader> reader = readerOf(env, self);
    return reader ? reader->Seek(offset, whence) : -1;
}

VIEWLINK_EXPORT(jlong, NativeCefStreamReader, tell)(JNIEnv* env, jobject self) {
    CefRefPtr<CefStreamReader> reader = readerOf(env, self);
    return reader ? reader->Tell() : -1;
}

VIEWLINK_EXPORT(jboolean, NativeCefStreamReader, eof)(JNIEnv* env, jobject self) {
    CefRefPtr<CefStreamReader> reader = readerOf(env, self);
    return toJava(reader && reader->Eof() != 0);
}

VIEWLINK_EXPORT(void, NativeCefStreamReader, dispose)(JNIEnv* env, jobject self) {
    disposeReferenced<CefStreamReader>(env, self, Kinds::StreamReader);
}
