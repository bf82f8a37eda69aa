#pragma once

#include "cef_string.h"

#include <jni.h>

namespace viewlink {

// Text across the boundary: the client passes modified UTF-8, the engine
// holds UTF-16. An empty engine string reaches the client as null, and a null
// client string becomes an empty engine string.
class JavaStrings {
public:
    // False, with out empty, for null or text that cannot be read.
    static bool toEngine(JNIEnv* env, jstring text, CefString& out);
    // Null for an empty string or when the client string cannot be made.
    static jstring toClient(JNIEnv* env, const CefString& text);
};

} // namespace viewlink
