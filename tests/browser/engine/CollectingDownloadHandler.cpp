#include "CollectingDownloadHandler.h"

#include "cef_task.h"

bool CollectingDownloadHandler::ReceivedData(void* data, int data_size) {
    ++calls_;
    if (!CefCurrentlyOn(TID_IO))
        onlyOnIo_ = false;
    std::lock_guard guard(lock_);
    ioThread_ = std::this_thread::get_id();
    bytes_.append(static_cast<const char*>(data), static_cast<std::size_t>(data_size));
    return refuseAfterBytes_ < 0 || static_cast<long long>(bytes_.size()) < refuseAfterBytes_;
}

void CollectingDownloadHandler::Complete() {
    if (!CefCurrentlyOn(TID_IO))
        onlyOnIo_ = false;
    completed_ = true;
}

int CollectingDownloadHandler::AddRef() {
    std::lock_guard guard(lock_);
    const int count = ++references_;
    if (count > 1)
        everHeldByEngine_ = true;
    return count;
}

// The count and the thread that brought it down to the test's own reference
// change together, under the lock: a test that sees the engine let go of the
// handler also sees where, and may drop its own reference at once while the
// engine's thread is already out of here.
int CollectingDownloadHandler::Release() {
    const bool onIo = CefCurrentlyOn(TID_IO);
    int remaining = 0;
    {
        std::lock_guard guard(lock_);
        remaining = --references_;
        if (remaining == 1) {
            lastReleaseOnIo_ = onIo;
            lastReleaseThread_ = std::this_thread::get_id();
        }
    }
    if (remaining == 0)
        delete this;
    return remaining;
}

int CollectingDownloadHandler::GetRefCt() {
    std::lock_guard guard(lock_);
    return references_;
}

bool CollectingDownloadHandler::releasedByEngine() const {
    std::lock_guard guard(lock_);
    return references_ == 1 && everHeldByEngine_;
}

std::string CollectingDownloadHandler::bytes() const {
    std::lock_guard guard(lock_);
    return bytes_;
}

bool CollectingDownloadHandler::lastEngineReferenceOnIo() const {
    std::lock_guard guard(lock_);
    if (ioThread_ != std::thread::id())
        return lastReleaseThread_ == ioThread_;
    return lastReleaseOnIo_;
}
