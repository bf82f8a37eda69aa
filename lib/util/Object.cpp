#include "lib/util/Object.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace plenfox::util {

QString Object::toString() const {
    return defaultText(this, typeid(*this).name());
}

QString Object::defaultText(const void* address, const char* mangledTypeName) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(mangledTypeName, nullptr, nullptr, &status), &std::free);
    const QString name =
        QString::fromUtf8(status == 0 && demangled ? demangled.get() : mangledTypeName);
    return name + QLatin1Char('@') + QString::number(reinterpret_cast<quintptr>(address), 16);
}

QString textOf(const Object* object) {
    return object ? object->toString() : QStringLiteral("null");
}

} // namespace plenfox::util
