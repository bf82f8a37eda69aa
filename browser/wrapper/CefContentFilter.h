#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/DirectByteBuffer.h"
#include "browser/jni/JavaObject.h"

#include <memory>

#include <string_view>

namespace plenfox::cef {

// Sees the body of a response as it arrives and may substitute it.
class CefStreamReaderBox;

class CefContentFilter : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefContentFilter";

    virtual void processData(std::shared_ptr<jni::DirectByteBuffer> data,
                             std::shared_ptr<CefStreamReaderBox> substitute) = 0;
    virtual void drain(std::shared_ptr<CefStreamReaderBox> remainder) = 0;
};

} // namespace plenfox::cef
