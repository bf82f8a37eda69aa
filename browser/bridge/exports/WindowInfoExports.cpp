#include "browser/bridge/CanvasWindow.h"
#include "browser/bridge/ExportSupport.h"

#include "cef_types_wrappers.h"

using namespace viewlink;

namespace {

// Window styles the engine understands (the Windows values).
constexpr uint32 ChildStyle = 0x56010000; // child, visible, clip children and siblings, tab stop
constexpr uint32 PopupStyle = 0x16CF0000; // overlapped window, visible, clip children and siblings
constexpr int DefaultPlacement = static_cast<int>(0x80000000u); // the system's default

CefWindowInfo* infoOf(JNIEnv* env, jobject self) {
    return ownedBy<CefWindowInfo>(env, self, Kinds::WindowInfo);
}

cef_window_handle_t windowOf(JNIEnv* env, jobject canvas) {
    return reinterpret_cast<cef_window_handle_t>(CanvasWindow::handleOf(env, canvas));
}

} // namespace

// The client passes its rectangle as position and size (x, y, width, height),
// and the window is placed exactly there.
VIEWLINK_EXPORT(void, NativeCefWindowInfo, setChild)
(JNIEnv* env, jobject self, jobject canvas, jint x, jint y, jint width, jint height) {
    CefWindowInfo* info = infoOf(env, self);
    if (!info)
        return;
    const cef_window_handle_t parent = windowOf(env, canvas);
    if (!parent)
        return;
    info->m_hWndParent = parent;
    info->m_dwStyle = ChildStyle;
    info->m_x = x;
    info->m_y = y;
    info->m_nWidth = width;
    info->m_nHeight = height;
}

VIEWLINK_EXPORT(void, NativeCefWindowInfo, setPopup)
(JNIEnv* env, jobject self, jobject canvas, jstring windowName) {
    CefWindowInfo* info = infoOf(env, self);
    CefString name;
    if (!info || !JavaStrings::toEngine(env, windowName, name))
        return;
    const cef_window_handle_t parent = windowOf(env, canvas);
    if (!parent)
        return;
    info->m_hWndParent = parent;
    info->m_dwStyle = PopupStyle;
    info->m_x = info->m_y = info->m_nWidth = info->m_nHeight = DefaultPlacement;
    info->m_windowName = name;
}

VIEWLINK_EXPORT(void, NativeCefWindowInfo, setOffscreen)
(JNIEnv* env, jobject self, jobject canvas) {
    CefWindowInfo* info = infoOf(env, self);
    if (!info)
        return;
    if (const cef_window_handle_t parent = windowOf(env, canvas))
        info->SetAsOffScreen(parent);
}

VIEWLINK_EXPORT(void, NativeCefWindowInfo, setTransparentPainting)
(JNIEnv* env, jobject self, jboolean transparent) {
    if (CefWindowInfo* info = infoOf(env, self))
        info->m_bTransparentPainting = isTrue(transparent);
}

VIEWLINK_EXPORT(void, NativeCefWindowInfo, dispose)(JNIEnv* env, jobject self) {
    disposeOwned<CefWindowInfo>(env, self, Kinds::WindowInfo);
}
