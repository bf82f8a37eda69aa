#include "browser/jni/JavaClass.h"

namespace plenfox::jni {

namespace {

// Skips one type in a signature and answers the position after it.
std::size_t skipType(std::string_view signature, std::size_t at) {
    while (at < signature.size() && signature[at] == '[')
        ++at;
    if (at < signature.size() && signature[at] == 'L') {
        const std::size_t end = signature.find(';', at);
        return end == std::string_view::npos ? signature.size() : end + 1;
    }
    return at + 1;
}

} // namespace

std::vector<char> MethodDescriptor::argumentKinds() const {
    std::vector<char> kinds;
    std::size_t at = 1; // after '('
    while (at < signature.size() && signature[at] != ')') {
        kinds.push_back(signature[at] == '[' ? 'L' : signature[at]);
        at = skipType(signature, at);
    }
    return kinds;
}

char MethodDescriptor::resultKind() const {
    const std::size_t close = signature.find(')');
    if (close == std::string::npos || close + 1 >= signature.size())
        return 'V';
    const char kind = signature[close + 1];
    return kind == '[' ? 'L' : kind;
}

JavaClass::JavaClass(std::string name, std::vector<const JavaClass*> supertypes, InstanceTest test,
                     bool isInterface)
    : name(std::move(name)), supertypes(std::move(supertypes)), test(std::move(test)),
      interfaceFlag(isInterface) {}

bool JavaClass::isSubtypeOf(const JavaClass& other) const {
    if (this == &other)
        return true;
    for (const JavaClass* supertype : supertypes)
        if (supertype->isSubtypeOf(other))
            return true;
    return false;
}

FieldDescriptor& JavaClass::addField(FieldDescriptor field) {
    field.owner = this;
    return fields.emplace_back(std::move(field));
}

MethodDescriptor& JavaClass::addMethod(MethodDescriptor method) {
    method.owner = this;
    return methods.emplace_back(std::move(method));
}

const FieldDescriptor* JavaClass::findField(std::string_view fieldName, std::string_view signature,
                                            bool isStatic) const {
    for (const FieldDescriptor& field : fields)
        if (field.name == fieldName && field.signature == signature && field.isStatic == isStatic)
            return &field;
    for (const JavaClass* supertype : supertypes)
        if (const FieldDescriptor* found = supertype->findField(fieldName, signature, isStatic))
            return found;
    return nullptr;
}

const MethodDescriptor* JavaClass::findMethod(std::string_view methodName,
                                              std::string_view signature, bool isStatic) const {
    for (const MethodDescriptor& method : methods)
        if (method.name == methodName && method.signature == signature &&
            method.isStatic == isStatic)
            return &method;
    // Constructors and static methods belong to their own class only.
    if (isStatic || methodName == "<init>")
        return nullptr;
    for (const JavaClass* supertype : supertypes)
        if (const MethodDescriptor* found = supertype->findMethod(methodName, signature, false))
            return found;
    return nullptr;
}

} // namespace plenfox::jni
