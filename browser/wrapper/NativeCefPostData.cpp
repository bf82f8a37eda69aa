#include "browser/wrapper/NativeCefPostData.h"

#include "browser/jni/NativeCall.h"
#include "lib/util/Log.h"

namespace plenfox::cef {

namespace {

const std::string Dispose = "Java_com_plenfox_lib_wrapper_cef_NativeCefPostData_n_1dispose";

} // namespace

NativeCefPostData::~NativeCefPostData() {
    const std::int64_t remaining = handle.load();
    if (!disposesWhenDropped || remaining == 0)
        return;
    // The bridge reads the handle from an object; this one is going, so a
    // stand-in carries the handle. The stand-in never disposes on its own.
    try {
        auto standIn = std::shared_ptr<NativeCefPostData>(new NativeCefPostData(StandIn{}));
        standIn->handle = remaining;
        jni::guardedNative<void>(Dispose, *standIn);
    } catch (const std::exception& error) {
        util::Log::exception(error);
    }
}

void NativeCefPostData::dispose() {
    std::lock_guard guard(disposeLock);
    jni::guardedNative<void>(Dispose, *this);
}

} // namespace plenfox::cef
