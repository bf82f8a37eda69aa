#pragma once

#include "browser/boundary/BoundaryNames.h"

#include "cef_string.h"

#include <jni.h>

namespace viewlink {

// One out-parameter of a callback, handed to the client as a box object. The
// box is made before the call with the parameter's current value and read
// once afterwards with its "getValue"; the engine's parameter changes only
// when that read succeeds without a pending exception.
class JavaBox {
public:
    // The box of the constructor's class, made with the initial value.
    JavaBox(JNIEnv* env, const plenfox::boundary::Method& constructor, jvalue initial);
    ~JavaBox();
    JavaBox(const JavaBox&) = delete;
    JavaBox& operator=(const JavaBox&) = delete;

    // The box for the argument list; null when it could not be made.
    jobject object() const { return box_; }
    bool made() const { return box_ != nullptr; }
    bool written() const { return written_; }

    // A null client string stores an empty engine string.
    bool writeBack(CefString& out);
    bool writeBack(bool& out);
    // The box's object (a local reference, may be null); false when it could
    // not be read. Marks the box written on success.
    bool readObject(const plenfox::boundary::Method& getter, jobject& out);

private:
    JNIEnv* env_;
    jobject box_ = nullptr;
    bool written_ = false;
};

} // namespace viewlink
