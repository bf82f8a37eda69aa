#pragma once

#include "browser/jni/JavaObject.h"

#include <utility>

namespace plenfox::cef {

// An out-parameter: the bridge makes the box with the current value, the
// handler answers with setValue, and the bridge reads getValue afterwards.
template <class V> class CefValueBox : public virtual jni::JavaObject {
public:
    explicit CefValueBox(V value = V()) : value(std::move(value)) {}

    V getValue() const { return value; }
    void setValue(V newValue) { value = std::move(newValue); }

    // The field native code sees.
    V value;
};

} // namespace plenfox::cef
