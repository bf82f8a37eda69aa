#include "NavigationTypes.h"

#include <QStringList>

cef_handler_navtype_t NavigationTypes::toEngine(QWebEnginePage::NavigationType type) {
    switch (type) {
    case QWebEnginePage::NavigationTypeLinkClicked:
        return NAVTYPE_LINKCLICKED;
    case QWebEnginePage::NavigationTypeFormSubmitted:
        return NAVTYPE_FORMSUBMITTED;
    case QWebEnginePage::NavigationTypeBackForward:
        return NAVTYPE_BACKFORWARD;
    case QWebEnginePage::NavigationTypeReload:
        return NAVTYPE_RELOAD;
    case QWebEnginePage::NavigationTypeTyped:
    case QWebEnginePage::NavigationTypeRedirect:
    case QWebEnginePage::NavigationTypeOther:
        break;
    }
    return NAVTYPE_OTHER;
}

bool NavigationTypes::isKnownScheme(const QString& scheme) {
    static const QStringList known = {
        QStringLiteral("http"),        QStringLiteral("https"),     QStringLiteral("file"),
        QStringLiteral("data"),        QStringLiteral("about"),     QStringLiteral("blob"),
        QStringLiteral("javascript"),  QStringLiteral("ws"),        QStringLiteral("wss"),
        QStringLiteral("view-source"), QStringLiteral("qrc"),       QStringLiteral("chrome"),
        QStringLiteral("devtools"),    QStringLiteral("filesystem")};
    return known.contains(scheme.toLower());
}
