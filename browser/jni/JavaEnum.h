#pragma once

#include "browser/jni/JavaTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace plenfox::jni {

// Names the Java class of a C++ enumeration: specialize with
// `static constexpr std::string_view JavaName`.
template <class E> struct JavaEnumTraits;

// A constant of a C++ enumeration as native code sees it: an object of the
// enumeration's class that carries the value.
template <class E> class JavaEnumConstant final : public JavaObject {
public:
    explicit JavaEnumConstant(E value) : value(value) {}
    E getValue() const { return value; }
    std::int32_t intValue() const { return static_cast<std::int32_t>(value); }

private:
    const E value;
};

// An enumeration constant or null.
template <class E> struct JavaType<std::optional<E>, std::enable_if_t<std::is_enum_v<E>>> {
    using Raw = jobject;
    static std::string signature() { return "L" + std::string(JavaEnumTraits<E>::JavaName) + ";"; }
    static Raw toRaw(ThreadState& thread, const std::optional<E>& value) {
        return value ? thread.newLocal(std::make_shared<JavaEnumConstant<E>>(*value)) : nullptr;
    }
    static std::optional<E> fromRaw(ThreadState& thread, Raw raw) {
        auto constant = std::dynamic_pointer_cast<JavaEnumConstant<E>>(thread.resolve(raw));
        return constant ? std::optional<E>(constant->getValue()) : std::nullopt;
    }
    static JavaValue toValue(const std::optional<E>& value) {
        JavaValue result;
        if (value)
            result.object = std::make_shared<JavaEnumConstant<E>>(*value);
        return result;
    }
};

} // namespace plenfox::jni
