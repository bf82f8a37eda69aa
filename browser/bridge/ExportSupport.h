#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/bridge/ClientObjects.h"
#include "browser/bridge/ExportGuard.h"
#include "browser/bridge/HandleField.h"
#include "browser/bridge/JavaStrings.h"

#include "cef_base.h"

// Declares the export of the client's native method n_<method> of <Class>.
#define VIEWLINK_EXPORT(ReturnType, Class, method)                                                 \
    extern "C" JNIEXPORT ReturnType JNICALL Java_com_plenfox_lib_wrapper_cef_##Class##_n_1##method

namespace viewlink {

// The exports name the client's classes by the boundary's names.
using namespace plenfox::boundary;

// The engine object behind a client object's handle, with a reference held
// for the duration of the export; null for a zero handle.
template <class T> CefRefPtr<T> referencedBy(JNIEnv* env, jobject object, const ClientKind& kind) {
    return HandleField::get<T>(env, object, kind.handleField);
}

// The structure a client object owns; null for a zero handle.
template <class T> T* ownedBy(JNIEnv* env, jobject object, const ClientKind& kind) {
    return HandleField::get<T>(env, object, kind.handleField);
}

// Zeroes the handle, giving back the object's engine reference.
template <class T> void disposeReferenced(JNIEnv* env, jobject object, const ClientKind& kind) {
    HandleField::storeReferenced<T>(env, object, kind.handleField, nullptr);
}

// Zeroes the handle, deleting the structure the object owned.
template <class T> void disposeOwned(JNIEnv* env, jobject object, const ClientKind& kind) {
    HandleField::storeOwned<T>(env, object, kind.handleField, nullptr);
}

inline jboolean toJava(bool value) {
    return value ? JNI_TRUE : JNI_FALSE;
}

// A native buffer region of a direct byte buffer; empty when the buffer has
// no address or a negative capacity.
struct BufferRegion {
    void* address = nullptr;
    jlong capacity = -1;

    static BufferRegion of(JNIEnv* env, jobject buffer) {
        BufferRegion region;
        if (!buffer)
            return region;
        region.address = env->GetDirectBufferAddress(buffer);
        region.capacity = env->GetDirectBufferCapacity(buffer);
        return region;
    }
    bool valid() const { return address && capacity >= 0; }
};

} // namespace viewlink
