#pragma once

#include "browser/jni/ClassRegistry.h"
#include "browser/jni/JavaTypes.h"
#include "lib/util/Error.h"

#include <atomic>
#include <memory>
#include <string>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

namespace plenfox::jni {

// Declares the C++ class T to the environment: its JNI class name, its
// supertypes, and the fields, methods, constructors and static methods that
// native code may use. Type signatures are derived from the C++ types, so a
// declaration cannot disagree with the member it names.
template <class T> class ClassBuilder {
public:
    // A class: objects of exactly type T belong to it.
    static ClassBuilder forClass(ClassRegistry& registry, const std::string& name,
                                 const std::vector<std::string>& supertypes = {}) {
        return ClassBuilder(
            registry.define(name, supertypes, isInstance, false, std::type_index(typeid(T))));
    }
    // An interface: every object deriving from T belongs to it.
    static ClassBuilder forInterface(ClassRegistry& registry, const std::string& name,
                                     const std::vector<std::string>& supertypes = {}) {
        return ClassBuilder(registry.define(name, supertypes, isInstance, true));
    }

    template <class... A> ClassBuilder& constructor() {
        static_assert(!std::is_abstract_v<T>);
        MethodDescriptor method;
        method.name = "<init>";
        method.signature = methodSignature<void, A...>();
        method.isStatic = false;
        method.invoke = [](ThreadState& thread, JavaObject*, const jvalue* args) {
            return construct<A...>(thread, args, std::index_sequence_for<A...>{});
        };
        javaClass.addMethod(std::move(method));
        return *this;
    }

    template <class C, class R, class... A>
    ClassBuilder& method(const std::string& name, R (C::*member)(A...)) {
        return addInstanceMethod<C, R, A...>(name, member);
    }
    template <class C, class R, class... A>
    ClassBuilder& method(const std::string& name, R (C::*member)(A...) const) {
        return addInstanceMethod<const C, R, A...>(name, member);
    }

    // A method carried out by a function that receives the object first, for
    // an interface whose C++ parameters are not the environment's types (a
    // handler taking bytes where native code passes a buffer).
    template <class R, class... A>
    ClassBuilder& method(const std::string& name, R (*function)(T&, A...)) {
        MethodDescriptor method;
        method.name = name;
        method.signature = methodSignature<R, A...>();
        method.isStatic = false;
        method.invoke = [function](ThreadState& thread, JavaObject* self, const jvalue* args) {
            T& object = target(self);
            return call<R, A...>(thread, args, std::index_sequence_for<A...>{},
                                 [&object, function](auto&&... values) {
                                     return function(object,
                                                     std::forward<decltype(values)>(values)...);
                                 });
        };
        javaClass.addMethod(std::move(method));
        return *this;
    }

    template <class R, class... A>
    ClassBuilder& staticMethod(const std::string& name, R (*function)(A...)) {
        MethodDescriptor method;
        method.name = name;
        method.signature = methodSignature<R, A...>();
        method.isStatic = true;
        method.invoke = [function](ThreadState& thread, JavaObject*, const jvalue* args) {
            return call<R, A...>(thread, args, std::index_sequence_for<A...>{},
                                 [function](auto&&... values) {
                                     return function(std::forward<decltype(values)>(values)...);
                                 });
        };
        javaClass.addMethod(std::move(method));
        return *this;
    }

    // A field backed by a plain member.
    template <class C, class V> ClassBuilder& field(const std::string& name, V C::*member) {
        return field<V>(
            name, [member](T& self) { return self.*member; },
            [member](T& self, V value) { self.*member = std::move(value); });
    }
    // A 64-bit field backed by an atomic member (the native handles, which
    // any thread may read or write).
    template <class C>
    ClassBuilder& field(const std::string& name, std::atomic<std::int64_t> C::*member) {
        return field<std::int64_t>(
            name, [member](T& self) { return (self.*member).load(); },
            [member](T& self, std::int64_t value) { (self.*member).store(value); });
    }
    // A field with explicit accessors.
    template <class V, class Get, class Set>
    ClassBuilder& field(const std::string& name, Get get, Set set) {
        FieldDescriptor descriptor;
        descriptor.name = name;
        descriptor.signature = JavaType<V>::signature();
        descriptor.get = [get](JavaObject* self) {
            return JavaType<V>::toValue(get(target(self)));
        };
        descriptor.set = [set](ThreadState& thread, JavaObject* self, jvalue value) {
            set(target(self), fromJvalue<V>(thread, value));
        };
        javaClass.addField(std::move(descriptor));
        return *this;
    }

    JavaClass& getJavaClass() { return javaClass; }

private:
    explicit ClassBuilder(JavaClass& javaClass) : javaClass(javaClass) {}

    static bool isInstance(const JavaObject& object) {
        return dynamic_cast<const T*>(&object) != nullptr;
    }

    static T& target(JavaObject* self) {
        T* object = dynamic_cast<T*>(self);
        if (!object)
            throw util::IllegalArgumentError(QStringLiteral("object of another class"));
        return *object;
    }

    template <class C, class R, class... A, class Member>
    ClassBuilder& addInstanceMethod(const std::string& name, Member member) {
        static_assert(std::is_base_of_v<std::remove_const_t<C>, T>);
        MethodDescriptor method;
        method.name = name;
        method.signature = methodSignature<R, A...>();
        method.isStatic = false;
        method.invoke = [member](ThreadState& thread, JavaObject* self, const jvalue* args) {
            T& object = target(self);
            return call<R, A...>(
                thread, args, std::index_sequence_for<A...>{}, [&object, member](auto&&... values) {
                    return (object.*member)(std::forward<decltype(values)>(values)...);
                });
        };
        javaClass.addMethod(std::move(method));
        return *this;
    }

    template <class R, class... A, std::size_t... I, class F>
    static JavaValue call(ThreadState& thread, const jvalue* args, std::index_sequence<I...>,
                          F&& function) {
        if constexpr (std::is_void_v<R>) {
            function(fromJvalue<A>(thread, args[I])...);
            return {};
        } else {
            return JavaType<Plain<R>>::toValue(function(fromJvalue<A>(thread, args[I])...));
        }
    }

    template <class... A, std::size_t... I>
    static JavaValue construct(ThreadState& thread, const jvalue* args, std::index_sequence<I...>) {
        JavaValue result;
        result.object = std::make_shared<T>(fromJvalue<A>(thread, args[I])...);
        return result;
    }

    JavaClass& javaClass;
};

} // namespace plenfox::jni
