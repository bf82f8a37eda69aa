#pragma once

#include "browser/boundary/BoundaryNames.h"

#include "cef_browser.h"
#include "cef_content_filter.h"
#include "cef_download_handler.h"
#include "cef_frame.h"
#include "cef_request.h"
#include "cef_response.h"
#include "cef_stream.h"

#include <jni.h>

namespace viewlink {

// Engine values turned into client objects for one callback. Every object is
// new and holds its own engine reference; null when the client class cannot
// be made. Local references belong to the caller's frame.
class ClientArguments {
public:
    static jobject browser(JNIEnv* env, CefRefPtr<CefBrowser> browser);
    static jobject frame(JNIEnv* env, CefRefPtr<CefFrame> frame);
    static jobject request(JNIEnv* env, CefRefPtr<CefRequest> request);
    static jobject response(JNIEnv* env, CefRefPtr<CefResponse> response);
    static jobject streamReader(JNIEnv* env, CefRefPtr<CefStreamReader> reader);
    static jobject contentFilter(JNIEnv* env, CefRefPtr<CefContentFilter> filter);
    static jobject downloadHandler(JNIEnv* env, CefRefPtr<CefDownloadHandler> handler);

    // A client enumeration constant through its static "fromInt".
    static jobject enumeration(JNIEnv* env, const plenfox::boundary::Method& fromInt, int value);
    // A direct buffer over engine memory, valid during the call only; null for
    // a negative size.
    static jobject buffer(JNIEnv* env, const void* data, jlong size);
};

} // namespace viewlink
