#pragma once

#include "browser/bridge/ExportSupport.h"

namespace viewlink {

// Reads and writes one field of a settings record a client object owns. A
// zero handle answers false, -1 or null; a boolean is stored as true only for
// the byte 1; a null text clears the field and an unreadable one leaves it.
template <class Record> class SettingsFields {
public:
    template <class Base>
    static jboolean getBoolean(JNIEnv* env, jobject self, const ClientKind& kind,
                               bool Base::*field) {
        Record* record = ownedBy<Record>(env, self, kind);
        return toJava(record && record->*field);
    }

    template <class Base>
    static void setBoolean(JNIEnv* env, jobject self, const ClientKind& kind, bool Base::*field,
                           jboolean value) {
        if (Record* record = ownedBy<Record>(env, self, kind))
            record->*field = isTrue(value);
    }

    template <class Base>
    static jint getInt(JNIEnv* env, jobject self, const ClientKind& kind, int Base::*field) {
        Record* record = ownedBy<Record>(env, self, kind);
        return record ? record->*field : -1;
    }

    template <class Base>
    static void setInt(JNIEnv* env, jobject self, const ClientKind& kind, int Base::*field,
                       jint value) {
        if (Record* record = ownedBy<Record>(env, self, kind))
            record->*field = value;
    }

    template <class Base>
    static jstring getText(JNIEnv* env, jobject self, const ClientKind& kind,
                           CefString Base::*field) {
        return guarded(jstring{nullptr}, [&]() -> jstring {
            Record* record = ownedBy<Record>(env, self, kind);
            return record ? JavaStrings::toClient(env, record->*field) : nullptr;
        });
    }

    template <class Base>
    static void setText(JNIEnv* env, jobject self, const ClientKind& kind, CefString Base::*field,
                        jstring value) {
        guarded([&] {
            Record* record = ownedBy<Record>(env, self, kind);
            if (!record)
                return;
            CefString text;
            if (!value || JavaStrings::toEngine(env, value, text))
                record->*field = text;
        });
    }
};

} // namespace viewlink

#define VIEWLINK_BOOLEAN_SETTING(Class, Record, Kind, Name, field)                                 \
    VIEWLINK_EXPORT(jboolean, Class, get##Name)(JNIEnv * env, jobject self) {                      \
        return SettingsFields<Record>::getBoolean(env, self, Kind, &Record::field);                \
    }                                                                                              \
    VIEWLINK_EXPORT(void, Class, set##Name)(JNIEnv * env, jobject self, jboolean value) {          \
        SettingsFields<Record>::setBoolean(env, self, Kind, &Record::field, value);                \
    }

#define VIEWLINK_INT_SETTING(Class, Record, Kind, Name, field)                                     \
    VIEWLINK_EXPORT(jint, Class, get##Name)(JNIEnv * env, jobject self) {                          \
        return SettingsFields<Record>::getInt(env, self, Kind, &Record::field);                    \
    }                                                                                              \
    VIEWLINK_EXPORT(void, Class, set##Name)(JNIEnv * env, jobject self, jint value) {              \
        SettingsFields<Record>::setInt(env, self, Kind, &Record::field, value);                    \
    }

#define VIEWLINK_TEXT_SETTING(Class, Record, Kind, Name, field)                                    \
    VIEWLINK_EXPORT(jstring, Class, get##Name)(JNIEnv * env, jobject self) {                       \
        return SettingsFields<Record>::getText(env, self, Kind, &Record::field);                   \
    }                                                                                              \
    VIEWLINK_EXPORT(void, Class, set##Name)(JNIEnv * env, jobject self, jstring value) {           \
        SettingsFields<Record>::setText(env, self, Kind, &Record::field, value);                   \
    }
