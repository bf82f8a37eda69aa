#pragma once

#include "browser/jni/DirectByteBuffer.h"
#include "browser/jni/JavaObject.h"

#include <memory>

#include <string_view>

namespace plenfox::cef {

// Receives the bytes of one download.
class CefDownloadHandler : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefDownloadHandler";

    // Called for each piece; false stops the download.
    virtual bool receivedData(std::shared_ptr<jni::DirectByteBuffer> data) = 0;
    // Called once after the last piece.
    virtual void complete() = 0;
};

} // namespace plenfox::cef
