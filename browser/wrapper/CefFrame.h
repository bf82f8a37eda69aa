#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefRequest.h"
#include "browser/wrapper/CefStreamReader.h"

#include <QString>

#include <cstdint>
#include <memory>

#include <string_view>

namespace plenfox::cef {

// A frame of a browser: the main document or one of its inner frames.
class CefFrame : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefFrame";

    virtual void copy() = 0;
    virtual void cut() = 0;
    // Deletes the selection (the operation named "delete" on the bridge).
    virtual void deleteSelection() = 0;
    virtual void dispose() = 0;
    // A null script address counts as the empty one.
    virtual void executeJavaScript(const QString& code, const QString& scriptUrl,
                                   std::int32_t startLine) = 0;
    virtual QString getName() = 0;
    // Source and text answer only on the engine's UI thread, null elsewhere.
    virtual QString getSource() = 0;
    virtual QString getText() = 0;
    virtual QString getURL() = 0;
    virtual bool isFocused() = 0;
    virtual bool isMain() = 0;
    virtual void loadRequest(std::shared_ptr<CefRequest> request) = 0;
    virtual void loadStream(std::shared_ptr<CefStreamReader> stream, const QString& url) = 0;
    virtual void loadString(const QString& content, const QString& url) = 0;
    virtual void loadURL(const QString& url) = 0;
    virtual void paste() = 0;
    virtual void print() = 0;
    virtual void redo() = 0;
    virtual void selectAll() = 0;
    virtual void undo() = 0;
    virtual void viewSource() = 0;
};

} // namespace plenfox::cef
