#include "browser/jni/JavaThrowable.h"

namespace plenfox::jni {

QString JavaThrowable::toString() const {
    return message.isNull() ? className : className + QStringLiteral(": ") + message;
}

} // namespace plenfox::jni
