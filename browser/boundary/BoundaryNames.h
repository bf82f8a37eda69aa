#pragma once

// The client's classes and members that the bridge finds by name, with the
// type signatures it asks for. The bridge looks them up with these strings;
// the wrapper declares its classes under the same names, and its tests check
// that each member here is declared with exactly this signature. Anything the
// bridge asks for that is not here is a name only one side knows.

// The package of the client's browser classes, and a class of it as a type
// signature spells it.
#define PLENFOX_BOUNDARY_PACKAGE "com/plenfox/lib/wrapper/cef/"
#define PLENFOX_BOUNDARY_TYPE(Name) "L" PLENFOX_BOUNDARY_PACKAGE #Name ";"

// The handle classes, X(Kind, class, handle field): the bridge makes their
// objects with the no-argument constructor and keeps the engine object's
// address in the long handle field.
#define PLENFOX_BOUNDARY_HANDLE_CLASSES(X)                                                         \
    X(Browser, NativeCefBrowser, n_handleCefBrowser)                                               \
    X(Frame, NativeCefFrame, n_handleCefFrame)                                                     \
    X(Request, NativeCefRequest, n_handleCefRequest)                                               \
    X(Response, NativeCefResponse, n_handleCefResponse)                                            \
    X(PostData, NativeCefPostData, n_handleCefPostData)                                            \
    X(HeaderMap, NativeCefHeaderMap, n_handleCefHeaderMap)                                         \
    X(StreamReader, NativeCefStreamReader, n_handleCefStreamReader)                                \
    X(ProxyInfo, NativeCefProxyInfo, n_handleCefProxyInfo)                                         \
    X(ContentFilter, NativeCefContentFilter, n_handleCefContentFilter)                             \
    X(DownloadHandler, NativeCefDownloadHandler, n_handleCefDownloadHandler)                       \
    X(Settings, NativeCefSettings, n_handleCefSettings)                                            \
    X(BrowserSettings, NativeCefBrowserSettings, n_handleCefBrowserSettings)                       \
    X(WindowInfo, NativeCefWindowInfo, n_handleCefWindowInfo)

// The instance methods the bridge calls, X(constant, class, method, signature):
// the boxes of out-parameters (made with the current value, read back
// afterwards) and the client's handlers.
#define PLENFOX_BOUNDARY_METHODS(X)                                                                \
    X(StringBoxInit, CefStringBox, "<init>", "(Ljava/lang/String;)V")                              \
    X(StringBoxGetValue, CefStringBox, "getValue", "()Ljava/lang/String;")                         \
    X(BooleanBoxInit, CefBooleanBox, "<init>", "(Z)V")                                             \
    X(BooleanBoxGetValue, CefBooleanBox, "getValue", "()Z")                                        \
    X(StreamReaderBoxInit, CefStreamReaderBox, "<init>",                                           \
      "(" PLENFOX_BOUNDARY_TYPE(CefStreamReader) ")V")                                             \
    X(StreamReaderBoxGetValue, CefStreamReaderBox, "getValue",                                     \
      "()" PLENFOX_BOUNDARY_TYPE(CefStreamReader))                                                 \
    X(StreamReaderBoxSetValue, CefStreamReaderBox, "setValue",                                     \
      "(" PLENFOX_BOUNDARY_TYPE(CefStreamReader) ")V")                                             \
    X(ContentFilterBoxInit, CefContentFilterBox, "<init>",                                         \
      "(" PLENFOX_BOUNDARY_TYPE(CefContentFilter) ")V")                                            \
    X(ContentFilterBoxGetValue, CefContentFilterBox, "getValue",                                   \
      "()" PLENFOX_BOUNDARY_TYPE(CefContentFilter))                                                \
    X(DownloadHandlerBoxInit, CefDownloadHandlerBox, "<init>",                                     \
      "(" PLENFOX_BOUNDARY_TYPE(CefDownloadHandler) ")V")                                          \
    X(DownloadHandlerBoxGetValue, CefDownloadHandlerBox, "getValue",                               \
      "()" PLENFOX_BOUNDARY_TYPE(CefDownloadHandler))                                              \
    X(AppGetProxyHandler, CefApp, "getProxyHandler", "()" PLENFOX_BOUNDARY_TYPE(CefProxyHandler))  \
    X(AppGetResourceBundleHandler, CefApp, "getResourceBundleHandler",                             \
      "()" PLENFOX_BOUNDARY_TYPE(CefResourceBundleHandler))                                        \
    X(ClientGetLifeSpanHandler, CefClient, "getLifeSpanHandler",                                   \
      "()" PLENFOX_BOUNDARY_TYPE(CefLifeSpanHandler))                                              \
    X(ClientGetLoadHandler, CefClient, "getLoadHandler",                                           \
      "()" PLENFOX_BOUNDARY_TYPE(CefLoadHandler))                                                  \
    X(ClientGetRequestHandler, CefClient, "getRequestHandler",                                     \
      "()" PLENFOX_BOUNDARY_TYPE(CefRequestHandler))                                               \
    X(LifeSpanHandlerOnBeforePopup, CefLifeSpanHandler, "onBeforePopup",                           \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) PLENFOX_BOUNDARY_TYPE(CefPopupFeatures)                \
          PLENFOX_BOUNDARY_TYPE(CefWindowInfo) "Ljava/lang/String;" PLENFOX_BOUNDARY_TYPE(         \
              CefClientBox) PLENFOX_BOUNDARY_TYPE(CefBrowserSettings) ")Z")                        \
    X(LifeSpanHandlerOnAfterCreated, CefLifeSpanHandler, "onAfterCreated",                         \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) ")V")                                                  \
    X(LifeSpanHandlerRunModal, CefLifeSpanHandler, "runModal",                                     \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) ")Z")                                                  \
    X(LifeSpanHandlerDoClose, CefLifeSpanHandler, "doClose",                                       \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) ")Z")                                                  \
    X(LifeSpanHandlerOnBeforeClose, CefLifeSpanHandler, "onBeforeClose",                           \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) ")V")                                                  \
    X(LoadHandlerOnLoadStart, CefLoadHandler, "onLoadStart",                                       \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) PLENFOX_BOUNDARY_TYPE(CefFrame) ")V")                  \
    X(LoadHandlerOnLoadEnd, CefLoadHandler, "onLoadEnd",                                           \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) PLENFOX_BOUNDARY_TYPE(CefFrame) "I)V")                 \
    X(LoadHandlerOnLoadError, CefLoadHandler, "onLoadError",                                       \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) PLENFOX_BOUNDARY_TYPE(CefFrame) PLENFOX_BOUNDARY_TYPE( \
          CefHandlerErrorCode) "Ljava/lang/String;" PLENFOX_BOUNDARY_TYPE(CefStringBox) ")Z")      \
    X(RequestHandlerOnBeforeBrowse, CefRequestHandler, "onBeforeBrowse",                           \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) PLENFOX_BOUNDARY_TYPE(CefFrame)                        \
          PLENFOX_BOUNDARY_TYPE(CefRequest) PLENFOX_BOUNDARY_TYPE(CefNavigationType) "Z)Z")        \
    X(RequestHandlerOnBeforeResourceLoad, CefRequestHandler, "onBeforeResourceLoad",               \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) PLENFOX_BOUNDARY_TYPE(CefRequest)                      \
          PLENFOX_BOUNDARY_TYPE(CefStringBox) PLENFOX_BOUNDARY_TYPE(CefStreamReaderBox)            \
              PLENFOX_BOUNDARY_TYPE(CefResponse) "I)Z")                                            \
    X(RequestHandlerOnResourceRedirect, CefRequestHandler, "onResourceRedirect",                   \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) "Ljava/lang/String;" PLENFOX_BOUNDARY_TYPE(            \
          CefStringBox) ")V")                                                                      \
    X(RequestHandlerOnResourceResponse, CefRequestHandler, "onResourceResponse",                   \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) "Ljava/lang/String;" PLENFOX_BOUNDARY_TYPE(            \
          CefResponse) PLENFOX_BOUNDARY_TYPE(CefContentFilterBox) ")V")                            \
    X(RequestHandlerOnProtocolExecution, CefRequestHandler, "onProtocolExecution",                 \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) "Ljava/lang/String;" PLENFOX_BOUNDARY_TYPE(            \
          CefBooleanBox) ")Z")                                                                     \
    X(RequestHandlerGetDownloadHandler, CefRequestHandler, "getDownloadHandler",                   \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) "Ljava/lang/String;Ljava/lang/"                        \
                                            "String;J" PLENFOX_BOUNDARY_TYPE(                      \
                                                CefDownloadHandlerBox) ")Z")                       \
    X(RequestHandlerGetAuthCredentials, CefRequestHandler, "getAuthCredentials",                   \
      "(" PLENFOX_BOUNDARY_TYPE(CefBrowser) "ZLjava/lang/String;ILjava/lang/String;"               \
                                            "Ljava/lang/String;" PLENFOX_BOUNDARY_TYPE(            \
                                                CefStringBox)                                      \
                                                PLENFOX_BOUNDARY_TYPE(CefStringBox) ")Z")          \
    X(DownloadHandlerReceivedData, CefDownloadHandler, "receivedData", "(Ljava/nio/ByteBuffer;)Z") \
    X(DownloadHandlerComplete, CefDownloadHandler, "complete", "()V")                              \
    X(ProxyHandlerGetProxyForUrl, CefProxyHandler, "getProxyForUrl",                               \
      "(Ljava/lang/String;" PLENFOX_BOUNDARY_TYPE(CefProxyInfo) ")V")                              \
    X(ResourceBundleHandlerGetLocalizedString, CefResourceBundleHandler, "getLocalizedString",     \
      "(I" PLENFOX_BOUNDARY_TYPE(CefStringBox) ")Z")                                               \
    X(StreamReaderRead, CefStreamReader, "read", "(Ljava/nio/ByteBuffer;J)J")                      \
    X(StreamReaderSeek, CefStreamReader, "seek", "(J" PLENFOX_BOUNDARY_TYPE(CefSeekType) ")Z")     \
    X(StreamReaderTell, CefStreamReader, "tell", "()J")                                            \
    X(StreamReaderEof, CefStreamReader, "eof", "()Z")                                              \
    X(ContentFilterProcessData, CefContentFilter, "processData",                                   \
      "(Ljava/nio/ByteBuffer;" PLENFOX_BOUNDARY_TYPE(CefStreamReaderBox) ")V")                     \
    X(ContentFilterDrain, CefContentFilter, "drain",                                               \
      "(" PLENFOX_BOUNDARY_TYPE(CefStreamReaderBox) ")V")

// The static methods the bridge calls, X(constant, class, method, signature):
// the enumerations' constant for an engine value.
#define PLENFOX_BOUNDARY_STATIC_METHODS(X)                                                         \
    X(NavigationTypeFromInt, CefNavigationType, "fromInt",                                         \
      "(I)" PLENFOX_BOUNDARY_TYPE(CefNavigationType))                                              \
    X(HandlerErrorCodeFromInt, CefHandlerErrorCode, "fromInt",                                     \
      "(I)" PLENFOX_BOUNDARY_TYPE(CefHandlerErrorCode))                                            \
    X(SeekTypeFromInt, CefSeekType, "fromInt", "(I)" PLENFOX_BOUNDARY_TYPE(CefSeekType))

namespace plenfox::boundary {

// A handle class: its name for FindClass and its handle field.
struct ClientKind {
    const char* className;
    const char* handleField;
};

// A method the bridge looks up: the class or interface that declares it, its
// name and its type signature.
struct Method {
    const char* className;
    const char* name;
    const char* signature;
    bool isStatic = false;
};

namespace Kinds {
#define PLENFOX_BOUNDARY_KIND(Kind, Class, Field)                                                  \
    inline constexpr ClientKind Kind{PLENFOX_BOUNDARY_PACKAGE #Class, #Field};
PLENFOX_BOUNDARY_HANDLE_CLASSES(PLENFOX_BOUNDARY_KIND)
#undef PLENFOX_BOUNDARY_KIND

#define PLENFOX_BOUNDARY_KIND_ENTRY(Kind, Class, Field) Kind,
inline constexpr ClientKind All[] = {PLENFOX_BOUNDARY_HANDLE_CLASSES(PLENFOX_BOUNDARY_KIND_ENTRY)};
#undef PLENFOX_BOUNDARY_KIND_ENTRY
} // namespace Kinds

namespace Methods {
#define PLENFOX_BOUNDARY_METHOD(Constant, Class, Name, Signature)                                  \
    inline constexpr Method Constant{PLENFOX_BOUNDARY_PACKAGE #Class, Name, Signature};
#define PLENFOX_BOUNDARY_STATIC_METHOD(Constant, Class, Name, Signature)                           \
    inline constexpr Method Constant{PLENFOX_BOUNDARY_PACKAGE #Class, Name, Signature, true};
PLENFOX_BOUNDARY_METHODS(PLENFOX_BOUNDARY_METHOD)
PLENFOX_BOUNDARY_STATIC_METHODS(PLENFOX_BOUNDARY_STATIC_METHOD)
#undef PLENFOX_BOUNDARY_METHOD
#undef PLENFOX_BOUNDARY_STATIC_METHOD

#define PLENFOX_BOUNDARY_METHOD_ENTRY(Constant, Class, Name, Signature) Constant,
inline constexpr Method All[] = {PLENFOX_BOUNDARY_METHODS(
    PLENFOX_BOUNDARY_METHOD_ENTRY) PLENFOX_BOUNDARY_STATIC_METHODS(PLENFOX_BOUNDARY_METHOD_ENTRY)};
#undef PLENFOX_BOUNDARY_METHOD_ENTRY
} // namespace Methods

} // namespace plenfox::boundary
