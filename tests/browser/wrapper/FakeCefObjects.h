#pragma once

// Stand-ins for the engine's browser, frame, request and response objects, as
// the bridge hands them to handlers: they count how often they are disposed.
#include "browser/wrapper/CefBrowser.h"
#include "browser/wrapper/CefFrame.h"
#include "browser/wrapper/CefRequest.h"
#include "browser/wrapper/CefResponse.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace plenfox::test {

class FakeFrame final : public cef::CefFrame {
public:
    FakeFrame(QString url, bool main) : url(std::move(url)), main(main) {}
    void copy() override {}
    void cut() override {}
    void deleteSelection() override {}
    void dispose() override { ++disposed; }
    void executeJavaScript(const QString& code, const QString&, std::int32_t) override {
        scripts << code;
    }
    QString getName() override { return {}; }
    QString getSource() override { return {}; }
    QString getText() override { return {}; }
    QString getURL() override { return url; }
    bool isFocused() override { return false; }
    bool isMain() override { return main; }
    void loadRequest(std::shared_ptr<cef::CefRequest>) override {}
    void loadStream(std::shared_ptr<cef::CefStreamReader>, const QString&) override {}
    void loadString(const QString&, const QString&) override {}
    void loadURL(const QString& address) override { loaded << address; }
    void paste() override {}
    void print() override {}
    void redo() override {}
    void selectAll() override {}
    void undo() override {}
    void viewSource() override {}

    QString url;
    bool main;
    int disposed = 0;
    QStringList loaded;
    QStringList scripts;
};

class FakeBrowser final : public cef::CefBrowser {
public:
    explicit FakeBrowser(QString url) : frame(std::make_shared<FakeFrame>(std::move(url), true)) {}
    void beforeParentClose() override { ++parentClosed; }
    bool canGoBack() override { return back; }
    bool canGoForward() override { return forward; }
    void close() override { ++closed; }
    void dispose() override {
        ++disposed;
        closedBeforeDisposed = closed > 0;
    }
    std::shared_ptr<cef::CefFrame> getMainFrame() override { return frame; }
    std::int64_t getWindowHandle() override { return window; }
    void goBack() override {}
    void goForward() override {}
    bool isPopup() override { return popup; }
    void reload() override {}
    void reloadIgnoreCache() override {}
    void setClientRectangle(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void setFocus(bool) override {}
    void stopLoad() override { ++stopped; }

    std::shared_ptr<FakeFrame> frame;
    bool back = false;
    bool forward = false;
    bool popup = false;
    // The browser's window; 0 for a browser whose window nobody asks about.
    std::int64_t window = 0;
    int disposed = 0;
    int closed = 0;
    bool closedBeforeDisposed = false;
    int parentClosed = 0;
    int stopped = 0;
};

class FakeRequest final : public cef::CefRequest {
public:
    explicit FakeRequest(QString url) : url(std::move(url)) {}
    void dispose() override { ++disposed; }
    std::shared_ptr<cef::CefHeaderMap> getHeaderMap() override { return nullptr; }
    QString getMethod() override { return QStringLiteral("GET"); }
    std::shared_ptr<cef::CefPostData> getPostData() override { return nullptr; }
    QString getURL() override { return url; }
    void set(const QString&, const QString&, std::shared_ptr<cef::CefPostData>,
             std::shared_ptr<cef::CefHeaderMap>) override {}
    void setHeaderMap(std::shared_ptr<cef::CefHeaderMap>) override {}
    void setMethod(const QString&) override {}
    void setPostData(std::shared_ptr<cef::CefPostData>) override {}
    void setURL(const QString&) override {}

    QString url;
    int disposed = 0;
};

class FakeResponse final : public cef::CefResponse {
public:
    void dispose() override { ++disposed; }
    QString getHeader(const QString&) override { return {}; }
    std::shared_ptr<cef::CefHeaderMap> getHeaderMap() override { return nullptr; }
    QString getMimeType() override { return {}; }
    std::int32_t getStatus() override { return 200; }
    QString getStatusText() override { return {}; }
    void setHeaderMap(std::shared_ptr<cef::CefHeaderMap>) override {}
    void setMimeType(const QString&) override {}
    void setStatus(std::int32_t) override {}
    void setStatusText(const QString&) override {}

    int disposed = 0;
};

} // namespace plenfox::test
