#include "browser/wrapper/CefUtilities.h"

#include "browser/jni/NativeCall.h"

namespace plenfox::cef {

namespace {

const std::string Prefix = "Java_com_plenfox_lib_wrapper_cef_CefUtilities_n_1";

} // namespace

void CefUtilities::browseInShell(const QString& path) {
    jni::guardedStaticNative<void>(Prefix + "browseInShell", std::string(JavaName), path);
}

void CefUtilities::shellExecute(const QString& operation, const QString& file,
                                const QString& parameters, const QString& directory,
                                std::int32_t showCommand) {
    jni::guardedStaticNative<void>(Prefix + "shellExecute", std::string(JavaName), operation, file,
                                   parameters, directory, showCommand);
}

} // namespace plenfox::cef
