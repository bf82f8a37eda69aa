// Enumerations, identifiers and plain records shared by the engine interfaces.
#pragma once

#include <cstdint>

#include "cef_string.h"

#ifdef _WIN32
#include <windows.h>
using cef_window_handle_t = HWND;
using cef_menu_handle_t = HMENU;
#else
// The platform's native window id (an X11 window on Linux).
using cef_window_handle_t = std::uintptr_t;
using cef_menu_handle_t = std::uintptr_t;
#endif

using int64 = std::int64_t;
using uint32 = std::uint32_t;

// Engine threads that tasks can be posted to.
enum cef_thread_id_t {
    TID_UI = 0,
    TID_IO = 1,
    TID_FILE = 2,
};
using CefThreadId = cef_thread_id_t;

enum cef_log_severity_t {
    LOGSEVERITY_VERBOSE = -1,
    LOGSEVERITY_INFO = 0,
    LOGSEVERITY_WARNING = 1,
    LOGSEVERITY_ERROR = 2,
    LOGSEVERITY_ERROR_REPORT = 3,
    LOGSEVERITY_DISABLE = 99,
};

enum cef_graphics_implementation_t {
    ANGLE_IN_PROCESS = 0,
    ANGLE_IN_PROCESS_COMMAND_BUFFER,
    DESKTOP_IN_PROCESS,
    DESKTOP_IN_PROCESS_COMMAND_BUFFER,
};

// How a navigation was started.
enum cef_handler_navtype_t {
    NAVTYPE_LINKCLICKED = 0,
    NAVTYPE_FORMSUBMITTED,
    NAVTYPE_BACKFORWARD,
    NAVTYPE_RELOAD,
    NAVTYPE_FORMRESUBMITTED,
    NAVTYPE_OTHER,
    NAVTYPE_LINKDROPPED,
};

// Network error codes reported by OnLoadError (the network stack's numbers).
enum cef_handler_errorcode_t {
    ERR_FAILED = -2,
    ERR_ABORTED = -3,
    ERR_INVALID_ARGUMENT = -4,
    ERR_INVALID_HANDLE = -5,
    ERR_FILE_NOT_FOUND = -6,
    ERR_TIMED_OUT = -7,
    ERR_FILE_TOO_BIG = -8,
    ERR_UNEXPECTED = -9,
    ERR_ACCESS_DENIED = -10,
    ERR_NOT_IMPLEMENTED = -11,
    ERR_CONNECTION_CLOSED = -100,
    ERR_CONNECTION_RESET = -101,
    ERR_CONNECTION_REFUSED = -102,
    ERR_CONNECTION_ABORTED = -103,
    ERR_CONNECTION_FAILED = -104,
    ERR_NAME_NOT_RESOLVED = -105,
    ERR_INTERNET_DISCONNECTED = -106,
    ERR_SSL_PROTOCOL_ERROR = -107,
    ERR_ADDRESS_INVALID = -108,
    ERR_ADDRESS_UNREACHABLE = -109,
    ERR_SSL_CLIENT_AUTH_CERT_NEEDED = -110,
    ERR_TUNNEL_CONNECTION_FAILED = -111,
    ERR_NO_SSL_VERSIONS_ENABLED = -112,
    ERR_SSL_VERSION_OR_CIPHER_MISMATCH = -113,
    ERR_SSL_RENEGOTIATION_REQUESTED = -114,
    ERR_CERT_COMMON_NAME_INVALID = -200,
    ERR_CERT_DATE_INVALID = -201,
    ERR_CERT_AUTHORITY_INVALID = -202,
    ERR_CERT_CONTAINS_ERRORS = -203,
    ERR_CERT_NO_REVOCATION_MECHANISM = -204,
    ERR_CERT_UNABLE_TO_CHECK_REVOCATION = -205,
    ERR_CERT_REVOKED = -206,
    ERR_CERT_INVALID = -207,
    ERR_CERT_END = -208,
    ERR_INVALID_URL = -300,
    ERR_DISALLOWED_URL_SCHEME = -301,
    ERR_UNKNOWN_URL_SCHEME = -302,
    ERR_TOO_MANY_REDIRECTS = -310,
    ERR_UNSAFE_REDIRECT = -311,
    ERR_UNSAFE_PORT = -312,
    ERR_INVALID_RESPONSE = -320,
    ERR_INVALID_CHUNKED_ENCODING = -321,
    ERR_METHOD_NOT_SUPPORTED = -322,
    ERR_UNEXPECTED_PROXY_AUTH = -323,
    ERR_EMPTY_RESPONSE = -324,
    ERR_RESPONSE_HEADERS_TOO_BIG = -325,
    ERR_CACHE_MISS = -400,
    ERR_INSECURE_RESPONSE = -501,
};

enum cef_proxy_type_t {
    CEF_PROXY_TYPE_DIRECT = 0,
    CEF_PROXY_TYPE_NAMED,
    CEF_PROXY_TYPE_PAC_STRING,
};

enum cef_postdataelement_type_t {
    PDE_TYPE_EMPTY = 0,
    PDE_TYPE_BYTES,
    PDE_TYPE_FILE,
};

// Flags of a request (CefRequest::GetFlags).
enum cef_weburlrequest_flags_t {
    WUR_FLAG_NONE = 0,
    WUR_FLAG_SKIP_CACHE = 0x1,
    WUR_FLAG_ALLOW_CACHED_CREDENTIALS = 0x2,
    WUR_FLAG_ALLOW_COOKIES = 0x4,
    WUR_FLAG_REPORT_UPLOAD_PROGRESS = 0x8,
    WUR_FLAG_REPORT_LOAD_TIMING = 0x10,
    WUR_FLAG_REPORT_RAW_HEADERS = 0x20,
};

// Default position or size of a window that the window system chooses.
constexpr int CW_USEDEFAULT_VALUE = static_cast<int>(0x80000000u);

// Global settings of the engine, read once by CefInitialize.
struct cef_settings_t {
    std::size_t size = 0;
    bool multi_threaded_message_loop = false;
    CefString cache_path;
    CefString user_agent;
    CefString product_version;
    CefString locale;
    cef_string_list_t extra_plugin_paths;
    CefString log_file;
    int log_severity = 0;
    int graphics_implementation = 0;
    int local_storage_quota = 0;
    int session_storage_quota = 0;
    CefString javascript_flags;
    bool auto_detect_proxy_settings_enabled = false;
    CefString resources_dir_path;
    CefString locales_dir_path;
    bool pack_loading_disabled = false;
};

// Settings of one browser, read when the browser is created.
struct cef_browser_settings_t {
    std::size_t size = 0;
    bool drag_drop_disabled = false;
    bool load_drops_disabled = false;
    bool history_disabled = false;
    CefString standard_font_family;
    CefString fixed_font_family;
    CefString serif_font_family;
    CefString sans_serif_font_family;
    CefString cursive_font_family;
    CefString fantasy_font_family;
    int default_font_size = 0;
    int default_fixed_font_size = 0;
    int minimum_font_size = 0;
    int minimum_logical_font_size = 0;
    bool remote_fonts_disabled = false;
    CefString default_encoding;
    bool encoding_detector_enabled = false;
    bool javascript_disabled = false;
    bool javascript_open_windows_disallowed = false;
    bool javascript_close_windows_disallowed = false;
    bool javascript_access_clipboard_disallowed = false;
    bool dom_paste_disabled = false;
    bool caret_browsing_enabled = false;
    bool java_disabled = false;
    bool plugins_disabled = false;
    bool universal_access_from_file_urls_allowed = false;
    bool file_access_from_file_urls_allowed = false;
    bool web_security_disabled = false;
    bool xss_auditor_enabled = false;
    bool image_load_disabled = false;
    bool shrink_standalone_images_to_fit = false;
    bool site_specific_quirks_disabled = false;
    bool text_area_resize_disabled = false;
    bool page_cache_disabled = false;
    bool tab_to_links_disabled = false;
    bool hyperlink_auditing_disabled = false;
    bool user_style_sheet_enabled = false;
    CefString user_style_sheet_location;
    bool author_and_user_styles_disabled = false;
    bool local_storage_disabled = false;
    bool databases_disabled = false;
    bool application_cache_disabled = false;
    bool webgl_disabled = false;
    bool accelerated_compositing_enabled = false;
    bool accelerated_2d_canvas_disabled = false;
};

// Where and how a browser window is made. A zero parent window makes a
// top-level window of the browser's own.
struct cef_window_info_t {
    uint32 m_dwExStyle = 0;
    CefString m_windowName;
    uint32 m_dwStyle = 0;
    int m_x = 0;
    int m_y = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    cef_window_handle_t m_hWndParent{};
    cef_menu_handle_t m_hMenu{};
    bool m_bWindowRenderingDisabled = false;
    bool m_bTransparentPainting = false;
    // The window the engine created for the browser.
    cef_window_handle_t m_hWnd{};
};

// Proxy answer filled in by CefProxyHandler::GetProxyForUrl.
struct cef_proxy_info_t {
    cef_proxy_type_t proxyType = CEF_PROXY_TYPE_DIRECT;
    CefString proxyList;
};

// Window features a page asked for when it opened a popup.
struct cef_popup_features_t {
    int x = 0;
    bool xSet = false;
    int y = 0;
    bool ySet = false;
    int width = 0;
    bool widthSet = false;
    int height = 0;
    bool heightSet = false;
    bool menuBarVisible = true;
    bool statusBarVisible = true;
    bool toolBarVisible = true;
    bool locationBarVisible = true;
    bool scrollbarsVisible = true;
    bool resizable = true;
    bool fullscreen = false;
    bool dialog = false;
    cef_string_list_t additionalFeatures;
};
