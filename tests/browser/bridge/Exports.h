#pragma once

#include <jni.h>

// The bridge exports the tests call directly, as the client's runtime would.
#define DECLARE_EXPORT(ReturnType, Class, method, ...)                                             \
    extern "C" ReturnType Java_com_plenfox_lib_wrapper_cef_##Class##_n_1##method(JNIEnv*,          \
                                                                                 __VA_ARGS__)

DECLARE_EXPORT(jobject, NativeCefFactory, createSettings__, jclass);
DECLARE_EXPORT(jobject, NativeCefFactory, createBrowserSettings__, jclass);
DECLARE_EXPORT(jobject, NativeCefFactory, createWindowInfo__, jclass);
DECLARE_EXPORT(jboolean, NativeCefFactory, initialize, jclass, jobject, jobject);
DECLARE_EXPORT(void, NativeCefSettings, dispose, jobject);
DECLARE_EXPORT(void, NativeCefSettings, setMultiThreadedMessageLoop, jobject, jboolean);
DECLARE_EXPORT(jboolean, NativeCefSettings, getMultiThreadedMessageLoop, jobject);
DECLARE_EXPORT(void, NativeCefWindowInfo, setChild, jobject, jobject, jint, jint, jint, jint);
DECLARE_EXPORT(void, NativeCefWindowInfo, setPopup, jobject, jobject, jstring);
DECLARE_EXPORT(void, NativeCefWindowInfo, setOffscreen, jobject, jobject);
DECLARE_EXPORT(void, NativeCefWindowInfo, setTransparentPainting, jobject, jboolean);
DECLARE_EXPORT(void, NativeCefWindowInfo, dispose, jobject);
DECLARE_EXPORT(void, NativeCefBrowserSettings, dispose, jobject);
DECLARE_EXPORT(jstring, NativeCefRequest, getURL, jobject);
DECLARE_EXPORT(void, NativeCefRequest, dispose, jobject);
DECLARE_EXPORT(jlong, NativeCefStreamReader, read, jobject, jobject, jlong);
DECLARE_EXPORT(jint, NativeCefStreamReader, seek, jobject, jlong, jint);
DECLARE_EXPORT(jlong, NativeCefStreamReader, tell, jobject);
DECLARE_EXPORT(void, NativeCefStreamReader, dispose, jobject);
DECLARE_EXPORT(jboolean, NativeCefDownloadHandler, receivedData, jobject, jobject);
DECLARE_EXPORT(void, NativeCefDownloadHandler, dispose, jobject);
DECLARE_EXPORT(void, NativeCefContentFilter, processData, jobject, jobject, jobject);
DECLARE_EXPORT(void, NativeCefContentFilter, drain, jobject, jobject);
DECLARE_EXPORT(void, NativeCefContentFilter, dispose, jobject);
DECLARE_EXPORT(jint, NativeCefProxyInfo, getProxyType, jobject);
DECLARE_EXPORT(jstring, NativeCefProxyInfo, getProxyList, jobject);
DECLARE_EXPORT(void, NativeCefProxyInfo, setProxyType, jobject, jint);
DECLARE_EXPORT(void, NativeCefProxyInfo, setProxyList, jobject, jstring);
DECLARE_EXPORT(void, NativeCefProxyInfo, dispose, jobject);
