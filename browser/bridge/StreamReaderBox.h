#pragma once

#include "browser/bridge/JavaBox.h"

#include "cef_stream.h"

namespace viewlink {

// A client CefStreamReaderBox for one engine stream-reader out-parameter.
class StreamReaderBox {
public:
    StreamReaderBox(JNIEnv* env, CefRefPtr<CefStreamReader> current);

    jobject object() const { return box_.object(); }
    // Stores the client's reader (wrapped for the engine) or none.
    void writeBack(CefRefPtr<CefStreamReader>& out);

private:
    JNIEnv* env_;
    JavaBox box_;
};

} // namespace viewlink
