#pragma once

#include <QUrl>

#include "cef_browser.h"
#include "cef_frame.h"

class BrowserImpl;

// A frame of a browser. Qt WebEngine exposes the main frame only: a subframe
// object reports its URL and that it is not the main frame, and its
// operations do nothing.
class FrameImpl : public CefFrame {
public:
    static CefRefPtr<CefFrame> main(BrowserImpl& browser);
    static CefRefPtr<CefFrame> subframe(BrowserImpl& browser, const QUrl& url);

    void Undo() override;
    void Redo() override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    void Delete() override;
    void SelectAll() override;
    void Print() override;
    void ViewSource() override;
    CefString GetSource() override;
    CefString GetText() override;
    void LoadRequest(CefRefPtr<CefRequest> request) override;
    void LoadURL(const CefString& url) override;
    void LoadString(const CefString& string, const CefString& url) override;
    void LoadStream(CefRefPtr<CefStreamReader> stream, const CefString& url) override;
    void ExecuteJavaScript(const CefString& jsCode, const CefString& scriptUrl,
                           int startLine) override;
    bool IsMain() override { return main_; }
    bool IsFocused() override;
    CefString GetName() override { return {}; }
    int64 GetIdentifier() override { return main_ ? 1 : 0; }
    CefRefPtr<CefFrame> GetParent() override;
    CefString GetURL() override;
    CefRefPtr<CefBrowser> GetBrowser() override;

private:
    FrameImpl(BrowserImpl& browser, bool main, const QUrl& url);
    void triggerAction(int action);
    // The page's markup (or text) on the UI thread, waiting for Qt's answer.
    CefString readPage(bool markup);

    CefRefPtr<BrowserImpl> browser_;
    const bool main_;
    const QUrl url_;

    IMPLEMENT_REFCOUNTING(FrameImpl)
};
