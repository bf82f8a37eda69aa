#include "BrowserSettingsApplier.h"

#include <QWebEngineSettings>
#include <QWidget>

#include "QtText.h"

namespace {

void setFont(QWebEngineSettings& target, QWebEngineSettings::FontFamily which,
             const CefString& family) {
    if (!family.empty())
        target.setFontFamily(which, toQString(family));
}

void setSize(QWebEngineSettings& target, QWebEngineSettings::FontSize which, int size) {
    if (size > 0)
        target.setFontSize(which, size);
}

} // namespace

// Not carried over, as Qt WebEngine offers no setting for them: remote fonts,
// the encoding detector, caret browsing, Java, web security, the XSS auditor,
// shrinking standalone images, site-specific quirks, text area resizing, the
// page cache, user style sheets, databases, the application cache and
// accelerated compositing. Closing windows from scripts is handled by the
// browser when the page asks to close.
void BrowserSettingsApplier::apply(const CefBrowserSettings& settings, QWebEngineSettings& target) {
    using S = QWebEngineSettings;
    setFont(target, S::StandardFont, settings.standard_font_family);
    setFont(target, S::FixedFont, settings.fixed_font_family);
    setFont(target, S::SerifFont, settings.serif_font_family);
    setFont(target, S::SansSerifFont, settings.sans_serif_font_family);
    setFont(target, S::CursiveFont, settings.cursive_font_family);
    setFont(target, S::FantasyFont, settings.fantasy_font_family);
    setSize(target, S::DefaultFontSize, settings.default_font_size);
    setSize(target, S::DefaultFixedFontSize, settings.default_fixed_font_size);
    setSize(target, S::MinimumFontSize, settings.minimum_font_size);
    setSize(target, S::MinimumLogicalFontSize, settings.minimum_logical_font_size);
    if (!settings.default_encoding.empty())
        target.setDefaultTextEncoding(toQString(settings.default_encoding));
    target.setAttribute(S::JavascriptEnabled, !settings.javascript_disabled);
    target.setAttribute(S::JavascriptCanOpenWindows, !settings.javascript_open_windows_disallowed);
    target.setAttribute(S::JavascriptCanAccessClipboard,
                        !settings.javascript_access_clipboard_disallowed);
    target.setAttribute(S::JavascriptCanPaste, !settings.dom_paste_disabled);
    target.setAttribute(S::PluginsEnabled, !settings.plugins_disabled);
    target.setAttribute(S::LocalContentCanAccessRemoteUrls,
                        settings.universal_access_from_file_urls_allowed);
    target.setAttribute(S::LocalContentCanAccessFileUrls,
                        settings.file_access_from_file_urls_allowed ||
                            settings.universal_access_from_file_urls_allowed);
    target.setAttribute(S::AutoLoadImages, !settings.image_load_disabled);
    target.setAttribute(S::LinksIncludedInFocusChain, !settings.tab_to_links_disabled);
    target.setAttribute(S::HyperlinkAuditingEnabled, !settings.hyperlink_auditing_disabled);
    target.setAttribute(S::LocalStorageEnabled, !settings.local_storage_disabled);
    target.setAttribute(S::WebGLEnabled, !settings.webgl_disabled);
    target.setAttribute(S::Accelerated2dCanvasEnabled, !settings.accelerated_2d_canvas_disabled);
}

void BrowserSettingsApplier::applyToView(const CefBrowserSettings& settings, QWidget& view) {
    view.setAcceptDrops(!settings.drag_drop_disabled);
}
