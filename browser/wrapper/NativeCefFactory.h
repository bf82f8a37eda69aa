#pragma once

#include "browser/wrapper/CefFactory.h"

#include <filesystem>
#include <memory>
#include <string_view>

namespace plenfox::jni {
class JavaVirtualMachine;
}

namespace plenfox::cef {

// The engine factory over the bridge library. Making it sets up the JNI
// environment (unless one exists) with the wrapper's classes, and loads the
// native libraries "jawt", "libcef" and "viewlink", in that order, from the
// program's library folder, and logs the path of each.
class NativeCefFactory final : public CefFactory {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/NativeCefFactory";
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.lib.wrapper.cef.NativeCefFactory");

    // Throws jni::UnsatisfiedLinkError naming the library and the loader's
    // reason when one cannot be loaded.
    explicit NativeCefFactory(const std::filesystem::path& libraryFolder = programLibraryFolder());
    NativeCefFactory(const NativeCefFactory&) = delete;
    NativeCefFactory& operator=(const NativeCefFactory&) = delete;
    ~NativeCefFactory() override;

    // Where the running program's native libraries are: see libraryFolderFor.
    static std::filesystem::path programLibraryFolder();
    // The program's own folder when the engine library is there (a build
    // folder), else "../lib/plenfoxclient" beside it when the library is
    // there (an installed program); the program's folder when neither has it.
    static std::filesystem::path libraryFolderFor(const std::filesystem::path& programFolder);
    // "jawt" -> "libjawt.so", "libcef" -> "libcef.so".
    static std::string libraryFileName(std::string_view name);

    bool initialize(std::shared_ptr<CefSettings> settings, std::shared_ptr<CefApp> app) override;
    void shutdown() override;
    void createBrowser(std::shared_ptr<CefWindowInfo> windowInfo, std::shared_ptr<CefClient> client,
                       const QString& url,
                       std::shared_ptr<CefBrowserSettings> browserSettings) override;
    std::shared_ptr<CefSettings> createSettings() override;
    std::shared_ptr<CefSettings> createSettings(std::shared_ptr<CefSettings> other) override;
    std::shared_ptr<CefBrowserSettings> createBrowserSettings() override;
    std::shared_ptr<CefBrowserSettings>
    createBrowserSettings(std::shared_ptr<CefBrowserSettings> other) override;
    std::shared_ptr<CefWindowInfo> createWindowInfo() override;
    std::shared_ptr<CefWindowInfo> createWindowInfo(std::shared_ptr<CefWindowInfo> other) override;

private:
    std::unique_ptr<jni::JavaVirtualMachine> ownVm;
};

} // namespace plenfox::cef
