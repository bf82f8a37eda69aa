#pragma once

#include <memory>

namespace plenfox::jni {

// Root of every C++ object that the JNI environment shows to native code as a
// Java object. Objects are shared: references held by native code (local and
// global references) and C++ owners keep them alive together. Interfaces
// derive virtually, so that one object implementing several of them is still
// one Java object.
class JavaObject : public std::enable_shared_from_this<JavaObject> {
public:
    JavaObject() = default;
    JavaObject(const JavaObject&) = delete;
    JavaObject& operator=(const JavaObject&) = delete;
    virtual ~JavaObject() = default;
};

} // namespace plenfox::jni
