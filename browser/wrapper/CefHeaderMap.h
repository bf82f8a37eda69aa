#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"

#include <QString>

#include <cstdint>
#include <memory>

#include <string_view>

namespace plenfox::cef {

// Header names and values, ordered by name; a name may occur more than once.
class CefHeaderMap : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefHeaderMap";

    virtual void add(const QString& name, const QString& value) = 0;
    virtual bool containsKey(const QString& name) = 0;
    virtual std::shared_ptr<CefHeaderMap> copy() = 0;
    virtual void dispose() = 0;
    virtual QString getKey(std::int32_t index) = 0;
    virtual std::int32_t getNumberOfKeys() = 0;
    virtual QString getValue(std::int32_t index) = 0;
    // The value of the first entry with the name.
    virtual QString getValue(const QString& name) = 0;
    virtual void remove(std::int32_t index) = 0;
};

} // namespace plenfox::cef
