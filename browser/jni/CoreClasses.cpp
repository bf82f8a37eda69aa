#include "browser/jni/CoreClasses.h"

#include "browser/jni/ClassBuilder.h"
#include "browser/jni/DirectByteBuffer.h"
#include "browser/jni/JavaThrowable.h"

namespace plenfox::jni {

void declareCoreClasses(ClassRegistry& registry) {
    ClassBuilder<JavaString>::forClass(registry, "java/lang/String");
    ClassBuilder<JavaClass>::forClass(registry, "java/lang/Class");
    ClassBuilder<JavaThrowable>::forClass(registry, "java/lang/Throwable");
    // Exception classes native code may throw by name; their objects all have
    // the C++ type JavaThrowable, which keeps the class name it was thrown as.
    for (const auto& [name, super] :
         {std::pair{"java/lang/Exception", "java/lang/Throwable"},
          std::pair{"java/lang/Error", "java/lang/Throwable"},
          std::pair{"java/lang/RuntimeException", "java/lang/Exception"},
          std::pair{"java/lang/IllegalArgumentException", "java/lang/RuntimeException"},
          std::pair{"java/lang/IllegalStateException", "java/lang/RuntimeException"},
          std::pair{"java/lang/NullPointerException", "java/lang/RuntimeException"},
          std::pair{"java/lang/OutOfMemoryError", "java/lang/Error"},
          std::pair{"java/lang/NoClassDefFoundError", "java/lang/Error"},
          std::pair{"java/lang/NoSuchMethodError", "java/lang/Error"},
          std::pair{"java/lang/NoSuchFieldError", "java/lang/Error"},
          std::pair{"java/lang/UnsatisfiedLinkError", "java/lang/Error"}})
        registry.define(
            name, {super}, [](const JavaObject&) { return false; }, false);
    ClassBuilder<DirectByteBuffer>::forClass(registry, std::string(DirectByteBuffer::JavaName))
        .method("asReadOnlyBuffer", &DirectByteBuffer::asReadOnlyBuffer);
}

} // namespace plenfox::jni
