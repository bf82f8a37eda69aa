#pragma once

#include <jni.h>

namespace plenfox::jni {

// Puts the environment's implementations into the JNIEnv function table.
void installFunctions(JNINativeInterface_& table);

} // namespace plenfox::jni
