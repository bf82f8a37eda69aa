#pragma once

namespace plenfox::jni {

class ClassRegistry;

// Declares the few platform classes native code may name: strings, classes,
// exceptions and direct byte buffers.
void declareCoreClasses(ClassRegistry& registry);

} // namespace plenfox::jni
