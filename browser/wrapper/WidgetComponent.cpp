#include "browser/wrapper/WidgetComponent.h"

namespace plenfox::cef {

bool WidgetComponent::isDisplayable(const QWidget* widget) {
    return widget && widget->internalWinId() != 0;
}

bool WidgetComponent::lockSurface() {
    surfaceLock.lock();
    if (!isDisplayable(widget)) {
        surfaceLock.unlock();
        return false;
    }
    locked = true;
    return true;
}

std::int64_t WidgetComponent::getNativeWindow() {
    // Read only under the surface lock, as the toolkit interface requires.
    if (!locked || !widget)
        return 0;
    return static_cast<std::int64_t>(widget->internalWinId());
}

void WidgetComponent::unlockSurface() {
    if (!locked)
        return;
    locked = false;
    surfaceLock.unlock();
}

} // namespace plenfox::cef
