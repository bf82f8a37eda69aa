#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"

#include <QString>

#include <cstdint>
#include <string_view>

// Every setting as X(type, Name): the operations are getName and setName.
#define PLENFOX_CEF_BROWSER_SETTINGS(X)                                                            \
    X(bool, DragAndDropDisabled)                                                                   \
    X(QString, StandardFontFamily)                                                                 \
    X(QString, FixedFontFamily)                                                                    \
    X(QString, SerifFontFamily)                                                                    \
    X(QString, SansSerifFontFamily)                                                                \
    X(QString, CursiveFontFamily)                                                                  \
    X(QString, FantasyFontFamily)                                                                  \
    X(std::int32_t, DefaultFontSize)                                                               \
    X(std::int32_t, DefaultFixedFontSize)                                                          \
    X(std::int32_t, MinimumFontSize)                                                               \
    X(std::int32_t, MinimumLogicalFontSize)                                                        \
    X(bool, RemoteFontsDisabled)                                                                   \
    X(QString, DefaultEncoding)                                                                    \
    X(bool, EncodingDetectorEnabled)                                                               \
    X(bool, JavascriptDisabled)                                                                    \
    X(bool, JavascriptOpenWindowsDisallowed)                                                       \
    X(bool, JavascriptCloseWindowsDisallowed)                                                      \
    X(bool, JavascriptAccessClipboardDisallowed)                                                   \
    X(bool, DomPasteDisabled)                                                                      \
    X(bool, CaretBrowsingEnabled)                                                                  \
    X(bool, JavaDisabled)                                                                          \
    X(bool, PluginsDisabled)                                                                       \
    X(bool, UniversalAccessFromFileUrlsAllowed)                                                    \
    X(bool, FileAccessFromFileUrlsAllowed)                                                         \
    X(bool, WebSecurityDisabled)                                                                   \
    X(bool, XssAuditorEnabled)                                                                     \
    X(bool, ImageLoadDisabled)                                                                     \
    X(bool, ShrinkStandaloneImagesToFit)                                                           \
    X(bool, SiteSpecificQuirksDisabled)                                                            \
    X(bool, TextAreaResizeDisabled)                                                                \
    X(bool, PageCacheDisabled)                                                                     \
    X(bool, TabToLinksDisabled)                                                                    \
    X(bool, HyperlinkAuditingDisabled)                                                             \
    X(bool, UserStyleSheetEnabled)                                                                 \
    X(QString, UserStyleSheetLocation)                                                             \
    X(bool, AuthorAndUserStylesDisabled)                                                           \
    X(bool, LocalStorageDisabled)                                                                  \
    X(bool, DatabasesDisabled)                                                                     \
    X(bool, ApplicationCacheDisabled)                                                              \
    X(bool, WebglDisabled)                                                                         \
    X(bool, AcceleratedCompositingEnabled)                                                         \
    X(bool, Accelerated2dCanvasDisabled)

namespace plenfox::cef {

// Settings of one browser, filled in before it is made.
class CefBrowserSettings : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefBrowserSettings";

    virtual void dispose() = 0;

#define PLENFOX_DECLARE_SETTING(Type, Name)                                                        \
    virtual Type get##Name() = 0;                                                                  \
    virtual void set##Name(const Type& value) = 0;
    PLENFOX_CEF_BROWSER_SETTINGS(PLENFOX_DECLARE_SETTING)
#undef PLENFOX_DECLARE_SETTING
};

} // namespace plenfox::cef
