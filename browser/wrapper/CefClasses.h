#pragma once

namespace plenfox::jni {
class ClassRegistry;
}

namespace plenfox::cef {

// Declares the wrapper's classes to the JNI environment: what the bridge may
// find by name, the handle and box fields, the constructors it calls, the
// handler methods it calls back, and the enumerations' fromInt, under the
// names of browser/boundary/BoundaryNames.h. Declaring twice changes nothing.
void declareCefClasses(jni::ClassRegistry& registry);

} // namespace plenfox::cef
