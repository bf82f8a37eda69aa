#pragma once

#include "lib/util/Error.h"

#include <QPointer>
#include <QWidget>

namespace plenfox::cef {

// Raised when a browser is to be placed in a widget that has no native window
// yet. It keeps the widget.
class CefNotDisplayableError : public util::Error {
public:
    static inline const QString Message = QStringLiteral(
        "Invalid attempt to construct a CEF resource with a parent component that is not "
        "displayable; please see QWidget::internalWinId()");

    explicit CefNotDisplayableError(QWidget* component)
        : Error(QStringLiteral("CefNotDisplayableError"), Message), notDisplayable(component) {}

    QWidget* getNotDisplayableComponent() const { return notDisplayable; }

private:
    QPointer<QWidget> notDisplayable;
};

} // namespace plenfox::cef
