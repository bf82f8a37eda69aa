#pragma once

#include <QWebEngineView>

#include "cef_base.h"

class BrowserImpl;

// The widget that shows a browser. Closing its window (when it is a window of
// its own) goes through the browser's close request, so that the life-span
// handler can keep it open.
class BrowserView : public QWebEngineView {
    Q_OBJECT
public:
    BrowserView(BrowserImpl& browser, QWidget* parent);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    BrowserImpl& browser_;
};
