#pragma once

#include <QString>
#include <QWebEnginePage>

#include "cef_types.h"

// Mapping of Qt WebEngine's navigation kinds and URL schemes to the engine's.
class NavigationTypes {
public:
    static cef_handler_navtype_t toEngine(QWebEnginePage::NavigationType type);
    // Schemes the engine loads itself; any other scheme is an external one.
    static bool isKnownScheme(const QString& scheme);
};
