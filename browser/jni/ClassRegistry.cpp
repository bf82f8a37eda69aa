#include "browser/jni/ClassRegistry.h"

#include <cxxabi.h>

#include <cstdlib>

namespace plenfox::jni {

namespace {

// Name of a class made for a C++ type nobody declared: its demangled name in
// the slash form of JNI class names.
std::string runtimeClassName(const std::type_info& type) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : type.name();
    std::free(demangled);
    std::string result;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name.compare(i, 2, "::") == 0) {
            result += '/';
            ++i;
        } else {
            result += name[i];
        }
    }
    return result;
}

} // namespace

ClassRegistry::ClassRegistry() {
    rootClass = std::make_shared<JavaClass>(
        "java/lang/Object", std::vector<const JavaClass*>{}, [](const JavaObject&) { return true; },
        false);
    byName.emplace(rootClass->getName(), rootClass);
}

JavaClass& ClassRegistry::define(const std::string& name,
                                 const std::vector<std::string>& supertypeNames,
                                 JavaClass::InstanceTest test, bool isInterface,
                                 std::optional<std::type_index> exactType) {
    std::lock_guard guard(lock);
    if (auto existing = byName.find(name); existing != byName.end())
        return *existing->second;
    std::vector<const JavaClass*> supertypes;
    for (const std::string& supertypeName : supertypeNames) {
        auto found = byName.find(supertypeName);
        if (found == byName.end())
            std::abort(); // declaration order is fixed at build time
        supertypes.push_back(found->second.get());
    }
    if (supertypes.empty())
        supertypes.push_back(rootClass.get());
    auto javaClass =
        std::make_shared<JavaClass>(name, std::move(supertypes), std::move(test), isInterface);
    byName.emplace(name, javaClass);
    if (exactType)
        byType.emplace(*exactType, javaClass);
    return *javaClass;
}

std::shared_ptr<JavaClass> ClassRegistry::find(std::string_view name) const {
    std::lock_guard guard(lock);
    auto found = byName.find(name);
    return found == byName.end() ? nullptr : found->second;
}

std::shared_ptr<JavaClass> ClassRegistry::classOf(const JavaObject& object) {
    const std::type_index type(typeid(object));
    std::lock_guard guard(lock);
    if (auto found = byType.find(type); found != byType.end())
        return found->second;
    std::vector<const JavaClass*> supertypes;
    for (const auto& [name, javaClass] : byName)
        if (javaClass != rootClass && javaClass->isInstance(object))
            supertypes.push_back(javaClass.get());
    supertypes.push_back(rootClass.get());
    auto made = std::make_shared<JavaClass>(
        runtimeClassName(typeid(object)), std::move(supertypes),
        [type](const JavaObject& other) { return std::type_index(typeid(other)) == type; }, false);
    byType.emplace(type, made);
    return made;
}

} // namespace plenfox::jni
