#pragma once

#include "browser/bridge/JniSupport.h"

namespace viewlink {

// Reads and writes the 64-bit "n_handleCef…" field that ties a client object
// to its native object. A missing object or field reads as 0 and cannot be
// written; no client-side exception survives either call.
class HandleField {
public:
    static jlong read(JNIEnv* env, jobject object, const char* fieldName);
    static bool write(JNIEnv* env, jobject object, const char* fieldName, jlong value);

    template <class T> static T* get(JNIEnv* env, jobject object, const char* fieldName) {
        return fromHandle<T>(read(env, object, fieldName));
    }

    // Points the handle at a reference-counted object. The new object gains its
    // reference before the old one loses its own, so storing the object the
    // handle already holds cannot free it.
    template <class T>
    static bool storeReferenced(JNIEnv* env, jobject object, const char* fieldName, T* newObject) {
        T* old = get<T>(env, object, fieldName);
        if (newObject)
            newObject->AddRef();
        if (!write(env, object, fieldName, toHandle(newObject))) {
            if (newObject)
                newObject->Release();
            return false;
        }
        if (old)
            old->Release();
        return true;
    }

    // Points the handle at a structure the client object owns; the structure
    // it held before is deleted. On failure the new structure is deleted, so
    // it is never left without an owner.
    template <class T>
    static bool storeOwned(JNIEnv* env, jobject object, const char* fieldName, T* newObject) {
        T* old = get<T>(env, object, fieldName);
        if (!write(env, object, fieldName, toHandle(newObject))) {
            if (newObject != old)
                delete newObject;
            return false;
        }
        if (old && old != newObject)
            delete old;
        return true;
    }
};

} // namespace viewlink
