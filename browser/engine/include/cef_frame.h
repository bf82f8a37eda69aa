// A frame of a browser's page.
#pragma once

#include "cef_base.h"
#include "cef_request.h"
#include "cef_stream.h"
#include "cef_string.h"

class CefBrowser;

class CefFrame : public virtual CefBase {
public:
    // Edit commands, applied to the focused element.
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    virtual void Delete() = 0;
    virtual void SelectAll() = 0;
    virtual void Print() = 0;
    // Opens the page source in a popup.
    virtual void ViewSource() = 0;
    // The page's markup and text as they are now. Only answered on the UI
    // thread; any other thread receives an empty string.
    virtual CefString GetSource() = 0;
    virtual CefString GetText() = 0;
    virtual void LoadRequest(CefRefPtr<CefRequest> request) = 0;
    virtual void LoadURL(const CefString& url) = 0;
    // Shows the markup as the document of url.
    virtual void LoadString(const CefString& string, const CefString& url) = 0;
    // Shows the stream's contents as the document of url.
    virtual void LoadStream(CefRefPtr<CefStreamReader> stream, const CefString& url) = 0;
    virtual void ExecuteJavaScript(const CefString& jsCode, const CefString& scriptUrl,
                                   int startLine) = 0;
    virtual bool IsMain() = 0;
    virtual bool IsFocused() = 0;
    virtual CefString GetName() = 0;
    virtual int64 GetIdentifier() = 0;
    virtual CefRefPtr<CefFrame> GetParent() = 0;
    virtual CefString GetURL() = 0;
    virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
};
