#pragma once

#include "cef_base.h"

// Receives the bytes of one download, in order, on the engine's IO thread.
class CefDownloadHandler : public virtual CefBase {
public:
    // Return false to cancel the download.
    virtual bool ReceivedData(void* data, int data_size) = 0;
    // All bytes have arrived.
    virtual void Complete() = 0;
};
