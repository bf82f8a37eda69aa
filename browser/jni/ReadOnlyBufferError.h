#pragma once

#include "lib/util/Error.h"

namespace plenfox::jni {

// A write to a read-only buffer view.
class ReadOnlyBufferError : public util::Error {
public:
    ReadOnlyBufferError() : Error(QStringLiteral("java.nio.ReadOnlyBufferException"), QString()) {}
};

} // namespace plenfox::jni
