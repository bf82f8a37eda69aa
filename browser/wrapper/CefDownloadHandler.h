#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace plenfox::cef {

// Receives the bytes of one download.
class CefDownloadHandler : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefDownloadHandler";

    // Called for each piece; the bytes are valid during the call only. False
    // stops the download.
    virtual bool receivedData(std::span<const std::byte> data) = 0;
    // Called once after the last piece.
    virtual void complete() = 0;
};

} // namespace plenfox::cef
