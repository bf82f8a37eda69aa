// The engine revision these headers describe.
#pragma once

#include "cef_export.h"

#define CEF_REVISION 1123

extern "C" {
// Revision of the engine library that is loaded; compared with CEF_REVISION
// before the engine starts.
CEF_EXPORT int cef_build_revision();
}
