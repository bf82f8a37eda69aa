#include "ComApartment.h"

#ifdef _WIN32
#include <objbase.h>
#endif

ComApartment::ComApartment() {
#ifdef _WIN32
    joined_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_DISABLE_OLE1DDE));
#else
    joined_ = true;
#endif
}

ComApartment::~ComApartment() {
#ifdef _WIN32
    if (joined_)
        CoUninitialize();
#endif
}
