#pragma once

#if defined(_WIN32)
#define CEF_EXPORT __declspec(dllexport)
#else
#define CEF_EXPORT __attribute__((visibility("default")))
#endif
