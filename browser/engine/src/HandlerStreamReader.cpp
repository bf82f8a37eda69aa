#include "HandlerStreamReader.h"

CefRefPtr<CefStreamReader> CefStreamReader::CreateForHandler(CefRefPtr<CefReadHandler> handler) {
    if (!handler)
        return nullptr;
    return new HandlerStreamReader(handler);
}
