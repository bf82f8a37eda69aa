#pragma once

#include "browser/jni/JavaObject.h"

#include <QString>

#include <string_view>

namespace plenfox::jni {

// An immutable text, the environment's java.lang.String.
class JavaString final : public JavaObject {
public:
    static constexpr std::string_view JavaName = "java/lang/String";

    explicit JavaString(QString text) : text(std::move(text)) {}
    const QString& getText() const { return text; }

private:
    const QString text;
};

} // namespace plenfox::jni
