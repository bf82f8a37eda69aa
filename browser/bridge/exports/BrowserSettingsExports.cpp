#include "browser/bridge/SettingsFields.h"

#include "cef_types_wrappers.h"

using namespace viewlink;

#define SETTING(Type, Name, field)                                                                 \
    VIEWLINK_##Type##_SETTING(NativeCefBrowserSettings, CefBrowserSettings,                        \
                              Kinds::BrowserSettings, Name, field)

SETTING(BOOLEAN, DragAndDropDisabled, drag_drop_disabled)
SETTING(TEXT, StandardFontFamily, standard_font_family)
SETTING(TEXT, FixedFontFamily, fixed_font_family)
SETTING(TEXT, SerifFontFamily, serif_font_family)
SETTING(TEXT, SansSerifFontFamily, sans_serif_font_family)
SETTING(TEXT, CursiveFontFamily, cursive_font_family)
SETTING(TEXT, FantasyFontFamily, fantasy_font_family)
SETTING(INT, DefaultFontSize, default_font_size)
SETTING(INT, DefaultFixedFontSize, default_fixed_font_size)
SETTING(INT, MinimumFontSize, minimum_font_size)
SETTING(INT, MinimumLogicalFontSize, minimum_logical_font_size)
SETTING(BOOLEAN, RemoteFontsDisabled, remote_fonts_disabled)
SETTING(TEXT, DefaultEncoding, default_encoding)
SETTING(BOOLEAN, EncodingDetectorEnabled, encoding_detector_enabled)
SETTING(BOOLEAN, JavascriptDisabled, javascript_disabled)
SETTING(BOOLEAN, JavascriptOpenWindowsDisallowed, javascript_open_windows_disallowed)
SETTING(BOOLEAN, JavascriptCloseWindowsDisallowed, javascript_close_windows_disallowed)
SETTING(BOOLEAN, JavascriptAccessClipboardDisallowed, javascript_access_clipboard_disallowed)
SETTING(BOOLEAN, DomPasteDisabled, dom_paste_disabled)
SETTING(BOOLEAN, CaretBrowsingEnabled, caret_browsing_enabled)
SETTING(BOOLEAN, JavaDisabled, java_disabled)
SETTING(BOOLEAN, PluginsDisabled, plugins_disabled)
SETTING(BOOLEAN, UniversalAccessFromFileUrlsAllowed, universal_access_from_file_urls_allowed)
SETTING(BOOLEAN, FileAccessFromFileUrlsAllowed, file_access_from_file_urls_allowed)
SETTING(BOOLEAN, WebSecurityDisabled, web_security_disabled)
SETTING(BOOLEAN, XssAuditorEnabled, xss_auditor_enabled)
SETTING(BOOLEAN, ImageLoadDisabled, image_load_disabled)
SETTING(BOOLEAN, ShrinkStandaloneImagesToFit, shrink_standalone_images_to_fit)
SETTING(BOOLEAN, SiteSpecificQuirksDisabled, site_specific_quirks_disabled)
SETTING(BOOLEAN, TextAreaResizeDisabled, text_area_resize_disabled)
SETTING(BOOLEAN, PageCacheDisabled, page_cache_disabled)
SETTING(BOOLEAN, TabToLinksDisabled, tab_to_links_disabled)
SETTING(BOOLEAN, HyperlinkAuditingDisabled, hyperlink_auditing_disabled)
SETTING(BOOLEAN, UserStyleSheetEnabled, user_style_sheet_enabled)
SETTING(TEXT, UserStyleSheetLocation, user_style_sheet_location)
SETTING(BOOLEAN, AuthorAndUserStylesDisabled, author_and_user_styles_disabled)
SETTING(BOOLEAN, LocalStorageDisabled, local_storage_disabled)
SETTING(BOOLEAN, DatabasesDisabled, databases_disabled)
SETTING(BOOLEAN, ApplicationCacheDisabled, application_cache_disabled)
SETTING(BOOLEAN, WebglDisabled, webgl_disabled)
SETTING(BOOLEAN, AcceleratedCompositingEnabled, accelerated_compositing_enabled)
SETTING(BOOLEAN, Accelerated2dCanvasDisabled, accelerated_2d_canvas_disabled)

VIEWLINK_EXPORT(void, NativeCefBrowserSettings, dispose)(JNIEnv* env, jobject self) {
    disposeOwned<CefBrowserSettings>(env, self, Kinds::BrowserSettings);
}
