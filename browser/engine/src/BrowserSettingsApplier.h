#pragma once

#include "cef_types_wrappers.h"

class QWebEngineSettings;
class QWidget;

// Carries a browser's settings over to Qt WebEngine's settings of its page
// and to its view. Settings Qt WebEngine has no counterpart for are left out
// (see the source).
class BrowserSettingsApplier {
public:
    static void apply(const CefBrowserSettings& settings, QWebEngineSettings& target);
    static void applyToView(const CefBrowserSettings& settings, QWidget& view);
};
