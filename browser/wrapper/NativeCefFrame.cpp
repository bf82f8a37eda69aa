#include "browser/wrapper/NativeCefFrame.h"

#include "browser/jni/NativeCall.h"

namespace plenfox::cef {

namespace {

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefFrame_n_1") + operation;
}

} // namespace

void NativeCefFrame::copy() {
    jni::guardedNative<void>(native("copy"), *this);
}

void NativeCefFrame::cut() {
    jni::guardedNative<void>(native("cut"), *this);
}

void NativeCefFrame::deleteSelection() {
    jni::guardedNative<void>(native("delete"), *this);
}

void NativeCefFrame::dispose() {
    jni::guardedNative<void>(native("dispose"), *this);
}

void NativeCefFrame::executeJavaScript(const QString& code, const QString& scriptUrl,
                                       std::int32_t startLine) {
    // The bridge runs nothing without a script address; a script without one
    // gets the empty address rather than being dropped.
    const QString address = scriptUrl.isNull() ? QStringLiteral("") : scriptUrl;
    jni::guardedNative<void>(native("executeJavaScript"), *this, code, address, startLine);
}

QString NativeCefFrame::getName() {
    return jni::guardedNative<QString>(native("getName"), *this);
}

QString NativeCefFrame::getSource() {
    return jni::guardedNative<QString>(native("getSource"), *this);
}

QString NativeCefFrame::getText() {
    return jni::guardedNative<QString>(native("getText"), *this);
}

QString NativeCefFrame::getURL() {
    return jni::guardedNative<QString>(native("getURL"), *this);
}

bool NativeCefFrame::isFocused() {
    return jni::guardedNative<bool>(native("isFocused"), *this);
}

bool NativeCefFrame::isMain() {
    return jni::guardedNative<bool>(native("isMain"), *this);
}

void NativeCefFrame::loadRequest(std::shared_ptr<CefRequest> request) {
    jni::guardedNative<void>(native("loadRequest"), *this, request);
}

void NativeCefFrame::loadStream(std::shared_ptr<CefStreamReader> stream, const QString& url) {
    jni::guardedNative<void>(native("loadStream"), *this, stream, url);
}

void NativeCefFrame::loadString(const QString& content, const QString& url) {
    jni::guardedNative<void>(native("loadString"), *this, content, url);
}

void NativeCefFrame::loadURL(const QString& url) {
    jni::guardedNative<void>(native("loadURL"), *this, url);
}

void NativeCefFrame::paste() {
    jni::guardedNative<void>(native("paste"), *this);
}

void NativeCefFrame::print() {
    jni::guardedNative<void>(native("print"), *this);
}

void NativeCefFrame::redo() {
    jni::guardedNative<void>(native("redo"), *this);
}

void NativeCefFrame::selectAll() {
    jni::guardedNative<void>(native("selectAll"), *this);
}

void NativeCefFrame::undo() {
    jni::guardedNative<void>(native("undo"), *this);
}

void NativeCefFrame::viewSource() {
    jni::guardedNative<void>(native("viewSource"), *this);
}

} // namespace plenfox::cef
