#pragma once

namespace viewlink {

// A client-side handle class: its name for FindClass and its handle field.
struct ClientKind {
    const char* className;
    const char* handleField;
};

// The handle classes the bridge creates or reads.
namespace Kinds {
inline constexpr ClientKind Browser{"com/plenfox/lib/wrapper/cef/NativeCefBrowser",
                                    "n_handleCefBrowser"};
inline constexpr ClientKind Frame{"com/plenfox/lib/wrapper/cef/NativeCefFrame", "n_handleCefFrame"};
inline constexpr ClientKind Request{"com/plenfox/lib/wrapper/cef/NativeCefRequest",
                                    "n_handleCefRequest"};
inline constexpr ClientKind Response{"com/plenfox/lib/wrapper/cef/NativeCefResponse",
                                     "n_handleCefResponse"};
inline constexpr ClientKind PostData{"com/plenfox/lib/wrapper/cef/NativeCefPostData",
                                     "n_handleCefPostData"};
inline constexpr ClientKind HeaderMap{"com/plenfox/lib/wrapper/cef/NativeCefHeaderMap",
                                      "n_handleCefHeaderMap"};
inline constexpr ClientKind StreamReader{"com/plenfox/lib/wrapper/cef/NativeCefStreamReader",
                                         "n_handleCefStreamReader"};
inline constexpr ClientKind ProxyInfo{"com/plenfox/lib/wrapper/cef/NativeCefProxyInfo",
                                      "n_handleCefProxyInfo"};
inline constexpr ClientKind ContentFilter{"com/plenfox/lib/wrapper/cef/NativeCefContentFilter",
                                          "n_handleCefContentFilter"};
inline constexpr ClientKind DownloadHandler{"com/plenfox/lib/wrapper/cef/NativeCefDownloadHandler",
                                            "n_handleCefDownloadHandler"};
inline constexpr ClientKind Settings{"com/plenfox/lib/wrapper/cef/NativeCefSettings",
                                     "n_handleCefSettings"};
inline constexpr ClientKind BrowserSettings{"com/plenfox/lib/wrapper/cef/NativeCefBrowserSettings",
                                            "n_handleCefBrowserSettings"};
inline constexpr ClientKind WindowInfo{"com/plenfox/lib/wrapper/cef/NativeCefWindowInfo",
                                       "n_handleCefWindowInfo"};
} // namespace Kinds

} // namespace viewlink
