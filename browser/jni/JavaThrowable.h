#pragma once

#include "browser/jni/JavaObject.h"

#include <QString>

#include <string_view>

namespace plenfox::jni {

// An exception pending in native code: raised by a C++ handler called through
// the environment, by ThrowNew, or by a failed look-up.
class JavaThrowable final : public JavaObject {
public:
    static constexpr std::string_view JavaName = "java/lang/Throwable";

    JavaThrowable(QString className, QString message)
        : className(std::move(className)), message(std::move(message)) {}
    const QString& getClassName() const { return className; }
    const QString& getMessage() const { return message; }
    // "ClassName: message", the way the log shows it.
    QString toString() const;

private:
    const QString className;
    const QString message;
};

} // namespace plenfox::jni
