#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"

#include <QString>

#include <cstdint>
#include <string_view>

// Every setting as X(type, Name): the operations are getName and setName.
#define PLENFOX_CEF_SETTINGS(X)                                                                    \
    X(bool, MultiThreadedMessageLoop)                                                              \
    X(QString, CachePath)                                                                          \
    X(QString, UserAgent)                                                                          \
    X(QString, ProductVersion)                                                                     \
    X(QString, Locale)                                                                             \
    X(QString, LogFile)                                                                            \
    X(std::int32_t, LogSeverity)                                                                   \
    X(std::int32_t, GraphicsImplementation)                                                        \
    X(std::int32_t, LocalStorageQuota)                                                             \
    X(std::int32_t, SessionStorageQuota)                                                           \
    X(QString, JavascriptFlags)                                                                    \
    X(bool, AutoDetectProxySettingsEnabled)                                                        \
    X(QString, ResourcesDirectory)                                                                 \
    X(QString, LocalesDirectory)                                                                   \
    X(bool, PackLoadingDisabled)

namespace plenfox::cef {

// The engine's global settings, filled in before it starts. Texts are null
// when unset. (The extra plug-in paths are not connected to the engine and
// are left out.)
class CefSettings : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefSettings";

    virtual void dispose() = 0;

#define PLENFOX_DECLARE_SETTING(Type, Name)                                                        \
    virtual Type get##Name() = 0;                                                                  \
    virtual void set##Name(const Type& value) = 0;
    PLENFOX_CEF_SETTINGS(PLENFOX_DECLARE_SETTING)
#undef PLENFOX_DECLARE_SETTING
};

} // namespace plenfox::cef
