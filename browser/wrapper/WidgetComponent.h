#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <mutex>
#include <string_view>

namespace plenfox::cef {

// A client widget as the native-window library sees it: while its surface is
// locked, it answers the widget's native window id.
class WidgetComponent final : public jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "WidgetComponent";

    explicit WidgetComponent(QWidget* widget) : widget(widget) {}

    // A widget has a native window once it was created as one (or winId()
    // was called on it); only then can the engine place a browser in it.
    static bool isDisplayable(const QWidget* widget);

    // False, and nothing locked, when the widget is gone or has no native window.
    bool lockSurface();
    std::int64_t getNativeWindow();
    void unlockSurface();

private:
    QPointer<QWidget> widget;
    std::mutex surfaceLock;
    bool locked = false;
};

} // namespace plenfox::cef
