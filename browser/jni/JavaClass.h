#pragma once

#include "browser/jni/JavaObject.h"
#include "browser/jni/JavaValue.h"

#include <jni.h>

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plenfox::jni {

class JavaClass;
class ThreadState;

// A field as native code sees it: name, type signature and the accessors that
// read or write the C++ member behind it.
struct FieldDescriptor {
    std::string name;
    std::string signature;
    bool isStatic = false;
    const JavaClass* owner = nullptr;
    std::function<JavaValue(JavaObject* self)> get;
    std::function<void(ThreadState& thread, JavaObject* self, jvalue value)> set;
};

// A method, constructor ("<init>") or static method: name, type signature and
// the adapter that converts the arguments and calls the C++ member. `self` is
// null for static methods and constructors; a constructor answers the new
// object.
struct MethodDescriptor {
    std::string name;
    std::string signature;
    bool isStatic = false;
    const JavaClass* owner = nullptr;
    std::function<JavaValue(ThreadState& thread, JavaObject* self, const jvalue* args)> invoke;

    // One type letter per argument ('L' for objects and arrays) and the
    // result's letter; derived from the signature.
    std::vector<char> argumentKinds() const;
    char resultKind() const;
};

// A class or interface known to the environment. C++ classes declare what
// native code may use of them; a C++ object belongs to every declared class
// whose test accepts it.
class JavaClass : public JavaObject {
public:
    using InstanceTest = std::function<bool(const JavaObject&)>;

    JavaClass(std::string name, std::vector<const JavaClass*> supertypes, InstanceTest test,
              bool isInterface);

    const std::string& getName() const { return name; }
    bool isInterface() const { return interfaceFlag; }
    const std::vector<const JavaClass*>& getSupertypes() const { return supertypes; }
    bool isInstance(const JavaObject& object) const { return test(object); }
    // True when this class is the other one or derives from it.
    bool isSubtypeOf(const JavaClass& other) const;

    FieldDescriptor& addField(FieldDescriptor field);
    MethodDescriptor& addMethod(MethodDescriptor method);

    // Look-ups search this class first, then its supertypes.
    const FieldDescriptor* findField(std::string_view name, std::string_view signature,
                                     bool isStatic) const;
    const MethodDescriptor* findMethod(std::string_view name, std::string_view signature,
                                       bool isStatic) const;

private:
    std::string name;
    std::vector<const JavaClass*> supertypes;
    InstanceTest test;
    bool interfaceFlag;
    // Deques keep descriptor addresses stable: they are the field and method IDs.
    std::deque<FieldDescriptor> fields;
    std::deque<MethodDescriptor> methods;
};

} // namespace plenfox::jni
