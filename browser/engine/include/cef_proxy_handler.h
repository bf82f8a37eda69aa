#pragma once

#include "cef_base.h"
#include "cef_types_wrappers.h"

// Chooses the proxy for a URL.
class CefProxyHandler : public virtual CefBase {
public:
    virtual void GetProxyForUrl(const CefString& url, CefProxyInfo& proxy_info) {
        (void)url;
        (void)proxy_info;
    }
};
