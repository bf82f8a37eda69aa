#pragma once

#include "cef_base.h"

// A cookie store; the engine offers only its global one, so handlers have no
// way to supply another.
class CefCookieManager : public virtual CefBase {};
