#pragma once

#include <QString>
#include <QUrl>

#include "cef_string.h"

// Conversions between the engine's strings and Qt's.
inline QString toQString(const CefString& text) {
    return QString::fromUtf16(text.c_str(), static_cast<qsizetype>(text.length()));
}

inline CefString toCefString(const QString& text) {
    return CefString(reinterpret_cast<const char16_t*>(text.utf16()),
                     static_cast<std::size_t>(text.size()));
}

inline QUrl toQUrl(const CefString& url) {
    return QUrl(toQString(url));
}

inline CefString toCefString(const QUrl& url) {
    return toCefString(url.toString(QUrl::FullyEncoded));
}
