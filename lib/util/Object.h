#pragma once

#include <QString>

namespace plenfox::util {

// Root of the classes whose text form appears in log lines (components,
// listeners, tasks). The default text form is the class name and address.
class Object {
public:
    virtual ~Object() = default;
    virtual QString toString() const;

    // The default text form of any object: demangled class name + "@" + hex address.
    static QString defaultText(const void* address, const char* mangledTypeName);
};

// Text form of a pointer that may be null ("null" when it is).
QString textOf(const Object* object);

} // namespace plenfox::util
