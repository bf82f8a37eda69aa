#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "cef_download_handler.h"

// Keeps the bytes of a download and notes the threads they arrived on; can
// refuse the rest of the download once it holds a given number of bytes.
// Counts its own references, so that a test holding one can tell when the
// engine let go of it.
class CollectingDownloadHandler : public CefDownloadHandler {
public:
    explicit CollectingDownloadHandler(long long refuseAfterBytes = -1)
        : refuseAfterBytes_(refuseAfterBytes) {}

    bool ReceivedData(void* data, int data_size) override;
    void Complete() override;

    int AddRef() override;
    int Release() override;
    int GetRefCt() override;

    std::string bytes() const;
    bool completed() const { return completed_; }
    int calls() const { return calls_; }
    // Every call came on the engine's IO thread.
    bool onlyOnIo() const { return onlyOnIo_; }
    // Whether only the test still holds the handler (it holds one reference),
    // and whether the engine's last reference went on its IO thread (the
    // thread the bytes came on, also when the engine stopped meanwhile).
    bool releasedByEngine() const;
    bool lastEngineReferenceOnIo() const;

private:
    const long long refuseAfterBytes_;
    mutable std::mutex lock_;
    std::string bytes_;
    std::atomic<bool> completed_{false};
    std::atomic<int> calls_{0};
    std::atomic<bool> onlyOnIo_{true};
    std::thread::id ioThread_; // guarded by lock_
    // The references and where the engine's last one went, guarded by lock_.
    int references_ = 0;
    bool everHeldByEngine_ = false;
    bool lastReleaseOnIo_ = false;
    std::thread::id lastReleaseThread_;
};
