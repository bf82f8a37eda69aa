#include "CollectingDownloadHandler.h"

#include "cef_task.h"

bool CollectingDownloadHandler::ReceivedData(void* data, int data_size) {
    ++calls_;
    if (!CefCurrentlyOn(TID_IO))
        onlyOnIo_ = false;
    std::lock_guard guard(lock_);
    bytes_.append(static_cast<const char*>(data), static_cast<std::size_t>(data_size));
    return refuseAfterBytes_ < 0 || static_cast<long long>(bytes_.size()) < refuseAfterBytes_;
}

void CollectingDownloadHandler::Complete() {
    if (!CefCurrentlyOn(TID_IO))
        onlyOnIo_ = false;
    completed_ = true;
}

std::string CollectingDownloadHandler::bytes() const {
    std::lock_guard guard(lock_);
    return bytes_;
}
