#pragma once

#include "cef_base.h"
#include "cef_stream.h"

// Rewrites the body of a resource while it loads.
class CefContentFilter : public virtual CefBase {
public:
    // Called with each chunk of the body; set substitute_data to replace it.
    virtual void ProcessData(const void* data, int data_size,
                             CefRefPtr<CefStreamReader>& substitute_data) {
        (void)data;
        (void)data_size;
        (void)substitute_data;
    }
    // Called at the end of the body; set remainder to append data.
    virtual void Drain(CefRefPtr<CefStreamReader>& remainder) { (void)remainder; }
};
