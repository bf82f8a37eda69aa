#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefRect.h"

#include <QString>

class QWidget;

#include <string_view>

namespace plenfox::cef {

// Where and how a browser window is made. The placing operations throw
// CefNotDisplayableError for a widget without a native window.
class CefWindowInfo : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefWindowInfo";

    virtual void dispose() = 0;
    virtual void setChild(QWidget* component, const CefRect& rect) = 0;
    virtual void setOffscreen(QWidget* component) = 0;
    virtual void setPopup(QWidget* component, const QString& windowName) = 0;
    virtual void setTransparentPainting(bool transparent) = 0;
};

} // namespace plenfox::cef
