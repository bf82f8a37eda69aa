#pragma once

#include "browser/bridge/CefJavaGlobalRef.h"
#include "browser/bridge/JavaMethodRef.h"

#include "cef_stream.h"

namespace viewlink {

// A client CefStreamReader read by the engine. Read hands the client a direct
// buffer over all size × n bytes of the engine's memory (so the client can
// never write past it) and n as the count; the client answers whole items,
// never more than n. Seek answers 0 for success, as the engine expects.
class CefStreamReaderWrapper : public CefJavaGlobalRef, public CefStreamReader {
public:
    CefStreamReaderWrapper(JNIEnv* env, jobject reader);

    std::size_t Read(void* ptr, std::size_t size, std::size_t n) override;
    int Seek(int64 offset, int whence) override;
    int64 Tell() override;
    int Eof() override;

private:
    JavaMethodRef read_;
    JavaMethodRef seek_;
    JavaMethodRef tell_;
    JavaMethodRef eof_;

    IMPLEMENT_REFCOUNTING(CefStreamReaderWrapper)
};

} // namespace viewlink
