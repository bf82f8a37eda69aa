#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "cef_download_handler.h"

// Keeps the bytes of a download and notes the threads they arrived on; can
// refuse the rest of the download once it holds a given number of bytes.
class CollectingDownloadHandler : public CefDownloadHandler {
public:
    explicit CollectingDownloadHandler(long long refuseAfterBytes = -1)
        : refuseAfterBytes_(refuseAfterBytes) {}

    bool ReceivedData(void* data, int data_size) override;
    void Complete() override;

    std::string bytes() const;
    bool completed() const { return completed_; }
    int calls() const { return calls_; }
    // Every call came on the engine's IO thread.
    bool onlyOnIo() const { return onlyOnIo_; }

private:
    const long long refuseAfterBytes_;
    mutable std::mutex lock_;
    std::string bytes_;
    std::atomic<bool> completed_{false};
    std::atomic<int> calls_{0};
    std::atomic<bool> onlyOnIo_{true};

    IMPLEMENT_REFCOUNTING(CollectingDownloadHandler)
};
