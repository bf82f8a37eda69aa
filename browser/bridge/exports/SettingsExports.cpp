#include "browser/bridge/SettingsFields.h"

#include "cef_types_wrappers.h"

using namespace viewlink;

#define SETTING(Type, Name, field)                                                                 \
    VIEWLINK_##Type##_SETTING(NativeCefSettings, CefSettings, Kinds::Settings, Name, field)

SETTING(BOOLEAN, MultiThreadedMessageLoop, multi_threaded_message_loop)
SETTING(TEXT, CachePath, cache_path)
SETTING(TEXT, UserAgent, user_agent)
SETTING(TEXT, ProductVersion, product_version)
SETTING(TEXT, Locale, locale)
SETTING(TEXT, LogFile, log_file)
SETTING(INT, LogSeverity, log_severity)
SETTING(INT, GraphicsImplementation, graphics_implementation)
SETTING(INT, LocalStorageQuota, local_storage_quota)
SETTING(INT, SessionStorageQuota, session_storage_quota)
SETTING(TEXT, JavascriptFlags, javascript_flags)
SETTING(BOOLEAN, AutoDetectProxySettingsEnabled, auto_detect_proxy_settings_enabled)
SETTING(TEXT, ResourcesDirectory, resources_dir_path)
SETTING(TEXT, LocalesDirectory, locales_dir_path)
SETTING(BOOLEAN, PackLoadingDisabled, pack_loading_disabled)

// Extra plugin paths are not connected to the engine.
VIEWLINK_EXPORT(jobjectArray, NativeCefSettings, getExtraPluginPaths)(JNIEnv*, jobject) {
    return nullptr;
}

VIEWLINK_EXPORT(void, NativeCefSettings, setExtraPluginPaths)(JNIEnv*, jobject, jobjectArray) {}

VIEWLINK_EXPORT(void, NativeCefSettings, dispose)(JNIEnv* env, jobject self) {
    disposeOwned<CefSettings>(env, self, Kinds::Settings);
}
