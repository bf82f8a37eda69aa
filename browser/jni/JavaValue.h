#pragma once

#include "browser/jni/JavaObject.h"

#include <jni.h>

#include <memory>

namespace plenfox::jni {

// A value produced by C++ code for native code: a primitive, or an object that
// the environment turns into a reference in the caller's frame.
struct JavaValue {
    jvalue primitive{};
    std::shared_ptr<JavaObject> object;
};

} // namespace plenfox::jni
