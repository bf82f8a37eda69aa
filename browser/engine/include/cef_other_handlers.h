// Handler interfaces a client can be asked for but that this engine never
// calls into; they exist so that clients can answer every getter.
#pragma once

#include "cef_base.h"

class CefDisplayHandler : public virtual CefBase {};
class CefFocusHandler : public virtual CefBase {};
class CefKeyboardHandler : public virtual CefBase {};
class CefMenuHandler : public virtual CefBase {};
class CefPermissionHandler : public virtual CefBase {};
class CefPrintHandler : public virtual CefBase {};
class CefFindHandler : public virtual CefBase {};
class CefJSDialogHandler : public virtual CefBase {};
class CefV8ContextHandler : public virtual CefBase {};
class CefRenderHandler : public virtual CefBase {};
class CefDragHandler : public virtual CefBase {};
class CefGeolocationHandler : public virtual CefBase {};
class CefZoomHandler : public virtual CefBase {};
