#include "client/ui/PlayerInputWatch.h"

#include <QCoreApplication>
#include <QEvent>
#include <limits>

namespace plenfox::client::ui {

PlayerInputWatch::PlayerInputWatch(QWidget* watched)
    : QObject(watched), watched(watched),
      lastInputMs(std::numeric_limits<qint64>::min() / 2) {
    QCoreApplication::instance()->installEventFilter(this);
}

PlayerInputWatch::~PlayerInputWatch() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

qint64 PlayerInputWatch::nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool PlayerInputWatch::actedRecently() const {
    return nowMs() - lastInputMs.load() <= Recent.count();
}

bool PlayerInputWatch::eventFilter(QObject* receiver, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::TouchBegin:
        if (auto* widget = qobject_cast<QWidget*>(receiver);
            widget && watched && (widget == watched || watched->isAncestorOf(widget)))
            lastInputMs = nowMs();
        break;
    default:
        break;
    }
    return QObject::eventFilter(receiver, event);
}

} // namespace plenfox::client::ui
