// Enumerations, identifiers and plain records shared by the engine interfaces.
#pragma once

#include <cstdint>

#include "cef_string.h"

#include "browser/boundary/LoadErrorCodes.h"

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

// Network error codes reported by OnLoadError (the network stack's numbers,
// ERR_FAILED = -2 to ERR_INSECURE_RESPONSE = -501), made from the one list of
// load-error codes that the client's side uses too.
enum cef_handler_errorcode_t {
#define PLENFOX_ENGINE_ERROR_CODE(name, value) name = value,
    PLENFOX_LOAD_ERROR_CODES(PLENFOX_ENGINE_ERROR_CODE)
#undef PLENFOX_ENGINE_ERROR_CODE
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
