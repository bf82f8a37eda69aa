#pragma once

#include "lib/util/Error.h"

namespace plenfox::jni {

// A native library that cannot be loaded, or a native method that no loaded
// library exports.
class UnsatisfiedLinkError : public util::Error {
public:
    explicit UnsatisfiedLinkError(QString message)
        : Error(QStringLiteral("java.lang.UnsatisfiedLinkError"), std::move(message)) {}
};

} // namespace plenfox::jni
