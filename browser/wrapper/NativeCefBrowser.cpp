#include "browser/wrapper/NativeCefBrowser.h"

#include "browser/jni/NativeCall.h"
#include "lib/util/Log.h"

namespace plenfox::cef {

namespace {

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefBrowser_n_1") + operation;
}

} // namespace

NativeCefBrowser::~NativeCefBrowser() {
    const std::int64_t remaining = handle.load();
    if (!disposesWhenDropped || remaining == 0)
        return;
    // The bridge reads the handle from an object; this one is going, so a
    // stand-in carries the handle. The stand-in never disposes on its own.
    try {
        auto standIn = std::shared_ptr<NativeCefBrowser>(new NativeCefBrowser(StandIn{}));
        standIn->handle = remaining;
        jni::guardedNative<void>(native("dispose"), *standIn);
    } catch (const std::exception& error) {
        util::Log::exception(error);
    }
}

void NativeCefBrowser::beforeParentClose() {
    jni::guardedNative<void>(native("beforeParentClose"), *this);
}

bool NativeCefBrowser::canGoBack() {
    return jni::guardedNative<bool>(native("canGoBack"), *this);
}

bool NativeCefBrowser::canGoForward() {
    return jni::guardedNative<bool>(native("canGoForward"), *this);
}

void NativeCefBrowser::close() {
    jni::guardedNative<void>(native("close"), *this);
}

void NativeCefBrowser::dispose() {
    // Two threads never dispose one browser at once.
    std::lock_guard guard(disposeLock);
    jni::guardedNative<void>(native("dispose"), *this);
}

std::shared_ptr<CefFrame> NativeCefBrowser::getMainFrame() {
    return jni::guardedNative<std::shared_ptr<CefFrame>>(native("getMainFrame"), *this);
}

std::int64_t NativeCefBrowser::getWindowHandle() {
    return jni::guardedNative<std::int64_t>(native("getWindowHandle"), *this);
}

void NativeCefBrowser::goBack() {
    jni::guardedNative<void>(native("goBack"), *this);
}

void NativeCefBrowser::goForward() {
    jni::guardedNative<void>(native("goForward"), *this);
}

bool NativeCefBrowser::isPopup() {
    return jni::guardedNative<bool>(native("isPopup"), *this);
}

void NativeCefBrowser::reload() {
    jni::guardedNative<void>(native("reload"), *this);
}

void NativeCefBrowser::reloadIgnoreCache() {
    jni::guardedNative<void>(native("reloadIgnoreCache"), *this);
}

void NativeCefBrowser::setClientRectangle(std::int32_t x, std::int32_t y, std::int32_t width,
                                          std::int32_t height) {
    jni::guardedNative<void>(native("setClientRectangle"), *this, x, y, width, height);
}

void NativeCefBrowser::setFocus(bool enable) {
    jni::guardedNative<void>(native("setFocus"), *this, enable);
}

void NativeCefBrowser::stopLoad() {
    jni::guardedNative<void>(native("stopLoad"), *this);
}

} // namespace plenfox::cef
