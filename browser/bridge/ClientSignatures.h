#pragma once

// Names of client classes and the type signatures of the client methods the
// bridge calls. They are part of the boundary: the client declares exactly
// these.
#define VIEWLINK_PKG "com/plenfox/lib/wrapper/cef/"
#define VIEWLINK_T(Name) "L" VIEWLINK_PKG #Name ";"

namespace viewlink::Signatures {

inline constexpr const char* StringBox = VIEWLINK_PKG "CefStringBox";
inline constexpr const char* BooleanBox = VIEWLINK_PKG "CefBooleanBox";
inline constexpr const char* StreamReaderBox = VIEWLINK_PKG "CefStreamReaderBox";
inline constexpr const char* ContentFilterBox = VIEWLINK_PKG "CefContentFilterBox";
inline constexpr const char* DownloadHandlerBox = VIEWLINK_PKG "CefDownloadHandlerBox";
inline constexpr const char* NavigationType = VIEWLINK_PKG "CefNavigationType";
inline constexpr const char* HandlerErrorCode = VIEWLINK_PKG "CefHandlerErrorCode";
inline constexpr const char* SeekType = VIEWLINK_PKG "CefSeekType";

inline constexpr const char* StringBoxInit = "(Ljava/lang/String;)V";
inline constexpr const char* BooleanBoxInit = "(Z)V";
inline constexpr const char* StreamReaderBoxInit = "(" VIEWLINK_T(CefStreamReader) ")V";
inline constexpr const char* ContentFilterBoxInit = "(" VIEWLINK_T(CefContentFilter) ")V";
inline constexpr const char* DownloadHandlerBoxInit = "(" VIEWLINK_T(CefDownloadHandler) ")V";
inline constexpr const char* StreamReaderGet = "()" VIEWLINK_T(CefStreamReader);
inline constexpr const char* StreamReaderSet = "(" VIEWLINK_T(CefStreamReader) ")V";
inline constexpr const char* ContentFilterGet = "()" VIEWLINK_T(CefContentFilter);
inline constexpr const char* DownloadHandlerGet = "()" VIEWLINK_T(CefDownloadHandler);

inline constexpr const char* NavigationFromInt = "(I)" VIEWLINK_T(CefNavigationType);
inline constexpr const char* ErrorCodeFromInt = "(I)" VIEWLINK_T(CefHandlerErrorCode);
inline constexpr const char* SeekFromInt = "(I)" VIEWLINK_T(CefSeekType);

} // namespace viewlink::Signatures
