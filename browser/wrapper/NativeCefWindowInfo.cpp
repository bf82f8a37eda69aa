#include "browser/wrapper/NativeCefWindowInfo.h"

#include "browser/jni/NativeCall.h"
#include "browser/wrapper/CefNotDisplayableError.h"
#include "browser/wrapper/WidgetComponent.h"

namespace plenfox::cef {

namespace {

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefWindowInfo_n_1") + operation;
}

// The component as the bridge receives it; throws for a widget without a
// native window, before anything changes.
std::shared_ptr<WidgetComponent> displayable(QWidget* component) {
    if (!WidgetComponent::isDisplayable(component))
        throw CefNotDisplayableError(component);
    return std::make_shared<WidgetComponent>(component);
}

} // namespace

void NativeCefWindowInfo::dispose() {
    jni::guardedNative<void>(native("dispose"), *this);
}

void NativeCefWindowInfo::setChild(QWidget* component, const CefRect& rect) {
    auto canvas = displayable(component);
    jni::guardedNative<void>(native("setChild"), *this, canvas, rect.x, rect.y, rect.width,
                             rect.height);
}

void NativeCefWindowInfo::setOffscreen(QWidget* component) {
    auto canvas = displayable(component);
    jni::guardedNative<void>(native("setOffscreen"), *this, canvas);
}

void NativeCefWindowInfo::setPopup(QWidget* component, const QString& windowName) {
    auto canvas = displayable(component);
    jni::guardedNative<void>(native("setPopup"), *this, canvas, windowName);
}

void NativeCefWindowInfo::setTransparentPainting(bool transparent) {
    jni::guardedNative<void>(native("setTransparentPainting"), *this, transparent);
}

} // namespace plenfox::cef
