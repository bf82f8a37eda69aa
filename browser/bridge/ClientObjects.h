#pragma once

#include "browser/bridge/HandleField.h"

#include <memory>

namespace viewlink {

// Creates the client-side objects that stand for native objects: the class is
// found by name, built with its constructor without arguments, and its handle
// field is pointed at the native object. Any failure answers null, and the
// native object is then neither referenced nor kept.
class ClientObjects {
public:
    // A new instance of className through "<init>" "()V", or null.
    static jobject create(JNIEnv* env, const char* className);

    // A client object holding one reference to object (which may be null: the
    // client object then has a zero handle).
    template <class T>
    static jobject wrapReferenced(JNIEnv* env, const char* className, const char* fieldName,
                                  T* object) {
        jobject client = create(env, className);
        if (!client)
            return nullptr;
        if (!HandleField::storeReferenced(env, client, fieldName, object)) {
            env->DeleteLocalRef(client);
            return nullptr;
        }
        return client;
    }

    // A client object owning structure.
    template <class T>
    static jobject wrapOwned(JNIEnv* env, const char* className, const char* fieldName,
                             std::unique_ptr<T> structure) {
        jobject client = create(env, className);
        if (!client)
            return nullptr;
        if (!HandleField::storeOwned(env, client, fieldName, structure.release())) {
            env->DeleteLocalRef(client);
            return nullptr;
        }
        return client;
    }
};

} // namespace viewlink
