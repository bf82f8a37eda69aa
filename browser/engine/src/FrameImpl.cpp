#include "FrameImpl.h"

#include <memory>

#include <QEventLoop>
#include <QFile>
#include <QMimeDatabase>
#include <QTimer>
#include <QWebEngineHttpRequest>
#include <QWebEngineView>

#include "BrowserImpl.h"
#include "BrowserPage.h"
#include "Engine.h"
#include "QtText.h"

namespace {

// How long GetSource and GetText wait for the renderer's answer.
constexpr int PageReadTimeoutMs = 10000;

QByteArray bodyOf(CefRefPtr<CefPostData> postData) {
    QByteArray body;
    if (!postData)
        return body;
    CefPostData::ElementVector elements;
    postData->GetElements(elements);
    for (const auto& element : elements) {
        if (element->GetType() == PDE_TYPE_BYTES) {
            QByteArray bytes(static_cast<qsizetype>(element->GetBytesCount()), '\0');
            element->GetBytes(static_cast<std::size_t>(bytes.size()), bytes.data());
            body += bytes;
        } else if (element->GetType() == PDE_TYPE_FILE) {
            QFile file(toQString(element->GetFile()));
            if (file.open(QIODevice::ReadOnly))
                body += file.readAll();
        }
    }
    return body;
}

QByteArray readAll(CefRefPtr<CefStreamReader> stream) {
    QByteArray data;
    char buffer[64 * 1024];
    for (;;) {
        const std::size_t count = stream->Read(buffer, 1, sizeof buffer);
        if (count == 0)
            break;
        data.append(buffer, static_cast<qsizetype>(count));
    }
    return data;
}

} // namespace

FrameImpl::FrameImpl(BrowserImpl& browser, bool main, const QUrl& url)
    : browser_(&browser), main_(main), url_(url) {}

CefRefPtr<CefFrame> FrameImpl::main(BrowserImpl& browser) {
    return new FrameImpl(browser, true, QUrl());
}

CefRefPtr<CefFrame> FrameImpl::subframe(BrowserImpl& browser, const QUrl& url) {
    return new FrameImpl(browser, false, url);
}

void FrameImpl::triggerAction(int action) {
    if (!main_)
        return;
    browser_->onUi([action](BrowserPage& page) {
        page.triggerAction(static_cast<QWebEnginePage::WebAction>(action));
    });
}

void FrameImpl::Undo() {
    triggerAction(QWebEnginePage::Undo);
}

void FrameImpl::Redo() {
    triggerAction(QWebEnginePage::Redo);
}

void FrameImpl::Cut() {
    triggerAction(QWebEnginePage::Cut);
}

void FrameImpl::Copy() {
    triggerAction(QWebEnginePage::Copy);
}

void FrameImpl::Paste() {
    triggerAction(QWebEnginePage::Paste);
}

void FrameImpl::Delete() {
    // Qt has no delete action; the editing command does the same.
    ExecuteJavaScript("document.execCommand('delete')", CefString(), 0);
}

void FrameImpl::SelectAll() {
    triggerAction(QWebEnginePage::SelectAll);
}

// Printing needs a print dialog and printer, which the engine does not offer:
// the page is asked to print, and Qt ignores that without a print handler.
void FrameImpl::Print() {
    ExecuteJavaScript("window.print()", CefString(), 0);
}

void FrameImpl::ViewSource() {
    triggerAction(QWebEnginePage::ViewSource);
}

CefString FrameImpl::GetSource() {
    return readPage(true);
}

CefString FrameImpl::GetText() {
    return readPage(false);
}

// Qt answers asynchronously; the UI thread waits in a local event loop, which
// keeps the window responsive meanwhile.
CefString FrameImpl::readPage(bool markup) {
    if (!main_ || !Engine::isOn(TID_UI))
        return {};
    BrowserPage* page = browser_->page();
    if (!page)
        return {};
    struct Answer {
        QString text;
        bool arrived = false;
        QEventLoop* loop = nullptr;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->loop = &loop;
    const auto receive = [answer](const QString& text) {
        answer->text = text;
        answer->arrived = true;
        if (answer->loop)
            answer->loop->quit();
    };
    if (markup)
        page->toHtml(receive);
    else
        page->toPlainText(receive);
    if (!answer->arrived) {
        QTimer::singleShot(PageReadTimeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    answer->loop = nullptr;
    return toCefString(answer->text);
}

// Qt WebEngine loads pages with GET and POST only and offers no hook for
// other methods: a request of another method is not loaded at all rather
// than sent as something it is not. No method means GET, or POST when the
// request carries data.
void FrameImpl::LoadRequest(CefRefPtr<CefRequest> request) {
    if (!main_ || !request)
        return;
    QWebEngineHttpRequest httpRequest(toQUrl(request->GetURL()));
    QString method = toQString(request->GetMethod()).toUpper();
    if (method.isEmpty())
        method = request->GetPostData() ? QStringLiteral("POST") : QStringLiteral("GET");
    if (method == QLatin1String("POST"))
        httpRequest.setMethod(QWebEngineHttpRequest::Post);
    else if (method == QLatin1String("GET"))
        httpRequest.setMethod(QWebEngineHttpRequest::Get);
    else {
        // Qt WebEngine loads a page only with GET or POST; sending another
        // method as one of these could change what the server does.
        qWarning("engine: a %s request for %s is not loaded: only GET and POST can load a page",
                 qPrintable(method), qPrintable(httpRequest.url().toString()));
        return;
    }
    CefRequest::HeaderMap headers;
    request->GetHeaderMap(headers);
    for (const auto& [name, value] : headers)
        httpRequest.setHeader(toQString(name).toLatin1(), toQString(value).toUtf8());
    httpRequest.setPostData(bodyOf(request->GetPostData()));
    browser_->onUi([httpRequest](BrowserPage& page) { page.load(httpRequest); });
}

void FrameImpl::LoadURL(const CefString& url) {
    if (!main_)
        return;
    browser_->onUi([url = toQUrl(url)](BrowserPage& page) { page.load(url); });
}

// Qt shows markup through a data URL, which limits it to about 2 MB.
void FrameImpl::LoadString(const CefString& string, const CefString& url) {
    if (!main_)
        return;
    browser_->onUi([html = toQString(string), base = toQUrl(url)](BrowserPage& page) {
        page.setHtml(html, base);
    });
}

// The stream says nothing about its type: it is taken from the URL's file
// name and the content, as a browser does for a file.
void FrameImpl::LoadStream(CefRefPtr<CefStreamReader> stream, const CefString& url) {
    if (!main_ || !stream)
        return;
    const QByteArray content = readAll(stream);
    const QUrl base = toQUrl(url);
    const QString type =
        QMimeDatabase().mimeTypeForFileNameAndData(base.fileName(), content).name();
    browser_->onUi(
        [content, base, type](BrowserPage& page) { page.setContent(content, type, base); });
}

// Qt runs scripts without a source URL or line: those are not used.
void FrameImpl::ExecuteJavaScript(const CefString& jsCode, const CefString&, int) {
    if (!main_)
        return;
    browser_->onUi([code = toQString(jsCode)](BrowserPage& page) { page.runJavaScript(code); });
}

bool FrameImpl::IsFocused() {
    if (!main_ || !Engine::isOn(TID_UI))
        return false;
    BrowserPage* page = browser_->page();
    const QWebEngineView* view = page ? QWebEngineView::forPage(page) : nullptr;
    return view && view->hasFocus();
}

CefRefPtr<CefFrame> FrameImpl::GetParent() {
    return main_ ? nullptr : main(*browser_);
}

CefString FrameImpl::GetURL() {
    return main_ ? toCefString(browser_->url()) : toCefString(url_);
}

CefRefPtr<CefBrowser> FrameImpl::GetBrowser() {
    return browser_.get();
}
