#pragma once

#include "browser/jni/JavaClass.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <vector>

namespace plenfox::jni {

// The classes of the environment by JNI class name ("java/lang/String",
// "com/plenfox/lib/wrapper/cef/NativeCefBrowser"). A C++ class that is
// declared with its exact type is the class of its objects; any other object
// (a client's handler, say) gets a class of its own made on first use, whose
// supertypes are all declared classes it is an instance of.
class ClassRegistry {
public:
    ClassRegistry();
    ClassRegistry(const ClassRegistry&) = delete;
    ClassRegistry& operator=(const ClassRegistry&) = delete;

    // Declares a class. The supertypes must be declared already (the root
    // class "java/lang/Object" always is and is implied). `exactType` makes the
    // class the class of objects of exactly that C++ type. Declaring a name a
    // second time answers the class declared first.
    JavaClass& define(const std::string& name, const std::vector<std::string>& supertypeNames,
                      JavaClass::InstanceTest test, bool isInterface,
                      std::optional<std::type_index> exactType = std::nullopt);

    std::shared_ptr<JavaClass> find(std::string_view name) const;
    std::shared_ptr<JavaClass> classOf(const JavaObject& object);
    std::shared_ptr<JavaClass> root() const { return rootClass; }

private:
    mutable std::mutex lock;
    std::shared_ptr<JavaClass> rootClass;
    std::map<std::string, std::shared_ptr<JavaClass>, std::less<>> byName;
    std::unordered_map<std::type_index, std::shared_ptr<JavaClass>> byType;
};

} // namespace plenfox::jni
