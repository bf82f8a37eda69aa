#include "browser/wrapper/NativeCefFactory.h"

#include "browser/jni/NativeCall.h"
#include "browser/wrapper/CefClasses.h"
#include "client/model/App.h"

#include <system_error>

namespace plenfox::cef {

namespace {

const std::string ClassName(NativeCefFactory::JavaName);

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefFactory_n_1") + operation;
}

QString pathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

NativeCefFactory::NativeCefFactory(const std::filesystem::path& libraryFolder) {
    if (!jni::JavaVirtualMachine::getInstance())
        ownVm = std::make_unique<jni::JavaVirtualMachine>();
    jni::JavaVirtualMachine& vm = *jni::JavaVirtualMachine::getInstance();
    declareCefClasses(vm.getClasses());
    // viewlink needs the other two; loading them first lets the loader find
    // them among the loaded libraries.
    for (std::string_view name : {"jawt", "libcef", "viewlink"}) {
        const std::filesystem::path file = libraryFolder / libraryFileName(name);
        vm.loadLibrary(file);
        client::App::log(Prefix + QStringLiteral(".<init>: loaded [") + pathText(file) +
                         QLatin1Char(']'));
    }
}

NativeCefFactory::~NativeCefFactory() = default;

std::filesystem::path NativeCefFactory::programLibraryFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return libraryFolderFor(error ? std::filesystem::current_path() : program.parent_path());
}

std::filesystem::path
NativeCefFactory::libraryFolderFor(const std::filesystem::path& programFolder) {
    const std::string engine = libraryFileName("libcef");
    const std::filesystem::path installed = programFolder.parent_path() / "lib" / "plenfoxclient";
    std::error_code error;
    if (!std::filesystem::exists(programFolder / engine, error) &&
        std::filesystem::exists(installed / engine, error))
        return installed;
    return programFolder;
}

std::string NativeCefFactory::libraryFileName(std::string_view name) {
    const std::string base(name);
    return (base.starts_with("lib") ? base : "lib" + base) + ".so";
}

bool NativeCefFactory::initialize(std::shared_ptr<CefSettings> settings,
                                  std::shared_ptr<CefApp> app) {
    return jni::guardedStaticNative<bool>(native("initialize"), ClassName, settings, app);
}

void NativeCefFactory::shutdown() {
    jni::guardedStaticNative<void>(native("shutdown"), ClassName);
}

void NativeCefFactory::createBrowser(std::shared_ptr<CefWindowInfo> windowInfo,
                                     std::shared_ptr<CefClient> client, const QString& url,
                                     std::shared_ptr<CefBrowserSettings> browserSettings) {
    jni::guardedStaticNative<void>(native("createBrowser"), ClassName, windowInfo, client, url,
                                   browserSettings);
}

std::shared_ptr<CefSettings> NativeCefFactory::createSettings() {
    return jni::guardedStaticNative<std::shared_ptr<CefSettings>>(native("createSettings__"),
                                                                  ClassName);
}

std::shared_ptr<CefSettings> NativeCefFactory::createSettings(std::shared_ptr<CefSettings> other) {
    return jni::guardedStaticNative<std::shared_ptr<CefSettings>>(
        native("createSettings__Lcom_plenfox_lib_wrapper_cef_CefSettings_2"), ClassName, other);
}

std::shared_ptr<CefBrowserSettings> NativeCefFactory::createBrowserSettings() {
    return jni::guardedStaticNative<std::shared_ptr<CefBrowserSettings>>(
        native("createBrowserSettings__"), ClassName);
}

std::shared_ptr<CefBrowserSettings>
NativeCefFactory::createBrowserSettings(std::shared_ptr<CefBrowserSettings> other) {
    return jni::guardedStaticNative<std::shared_ptr<CefBrowserSettings>>(
        native("createBrowserSettings__Lcom_plenfox_lib_wrapper_cef_CefBrowserSettings_2"),
        ClassName, other);
}

std::shared_ptr<CefWindowInfo> NativeCefFactory::createWindowInfo() {
    return jni::guardedStaticNative<std::shared_ptr<CefWindowInfo>>(native("createWindowInfo__"),
                                                                    ClassName);
}

std::shared_ptr<CefWindowInfo>
NativeCefFactory::createWindowInfo(std::shared_ptr<CefWindowInfo> other) {
    return jni::guardedStaticNative<std::shared_ptr<CefWindowInfo>>(
        native("createWindowInfo__Lcom_plenfox_lib_wrapper_cef_CefWindowInfo_2"), ClassName, other);
}

} // namespace plenfox::cef
