#include "client/ui/MessageBoxes.h"

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <deque>
#include <mutex>

namespace plenfox::client::ui {

namespace {

// Shared by the GUI thread and test threads that queue answers.
struct State {
    std::mutex lock;
    std::deque<MessageBoxes::Answer> nextAnswers;
    bool autoAnswer = false;
    std::vector<MessageBoxes::Shown> shown;
    QList<QPointer<QMessageBox>> open; // GUI thread only
};

State& state() {
    static State instance;
    return instance;
}

QMessageBox::Icon iconOf(MessageBoxes::Kind kind) {
    switch (kind) {
    case MessageBoxes::Kind::Error:
        return QMessageBox::Critical;
    case MessageBoxes::Kind::Information:
        return QMessageBox::Information;
    case MessageBoxes::Kind::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MessageBoxes::showError(QWidget* owner, const QString& title, const QString& text) {
    show(owner, Kind::Error, title, text, Answer::Ok);
}

void MessageBoxes::showInformation(QWidget* owner, const QString& title, const QString& text) {
    show(owner, Kind::Information, title, text, Answer::Ok);
}

bool MessageBoxes::askYesNo(QWidget* owner, const QString& title, const QString& text) {
    return show(owner, Kind::Question, title, text, Answer::Yes) == Answer::Yes;
}

bool MessageBoxes::askToDelete(QWidget* owner, const QString& title, const QString& text) {
    return show(owner, Kind::Question, title, text, Answer::No) == Answer::Yes;
}

MessageBoxes::Answer MessageBoxes::show(QWidget* owner, Kind kind, const QString& title,
                                        const QString& text, Answer defaultAnswer) {
    State& s = state();
    {
        std::lock_guard guard(s.lock);
        s.shown.push_back({kind, title, text, defaultAnswer});
        if (!s.nextAnswers.empty()) {
            const Answer answer = s.nextAnswers.front();
            s.nextAnswers.pop_front();
            return answer;
        }
        if (s.autoAnswer)
            return Answer::Closed;
    }
    QMessageBox box(iconOf(kind), title, text,
                    kind == Kind::Question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    owner);
    box.setWindowModality(Qt::WindowModal);
    // Wide enough that the texts' own line breaks are the only ones.
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: 560px; }"));
    if (kind == Kind::Question) {
        box.setEscapeButton(QMessageBox::No);
        box.setDefaultButton(defaultAnswer == Answer::No ? QMessageBox::No : QMessageBox::Yes);
    }
    s.open.append(QPointer<QMessageBox>(&box));
    const int result = box.exec();
    s.open.removeAll(QPointer<QMessageBox>(&box));
    if (result == QMessageBox::Yes)
        return Answer::Yes;
    if (result == QMessageBox::No)
        return Answer::No;
    return result == QMessageBox::Ok ? Answer::Ok : Answer::Closed;
}

void MessageBoxes::setNextAnswer(Answer answer) {
    std::lock_guard guard(state().lock);
    state().nextAnswers.push_back(answer);
}

void MessageBoxes::setAutoAnswer(bool on) {
    std::lock_guard guard(state().lock);
    state().autoAnswer = on;
}

std::optional<MessageBoxes::Shown> MessageBoxes::last() {
    std::lock_guard guard(state().lock);
    if (state().shown.empty())
        return std::nullopt;
    return state().shown.back();
}

std::vector<MessageBoxes::Shown> MessageBoxes::history() {
    std::lock_guard guard(state().lock);
    return state().shown;
}

void MessageBoxes::clearHistory() {
    std::lock_guard guard(state().lock);
    state().shown.clear();
    state().nextAnswers.clear();
}

void MessageBoxes::closeAll() {
    // A copy: closing a box ends its exec, which edits the list.
    const QList<QPointer<QMessageBox>> open = state().open;
    for (const QPointer<QMessageBox>& box : open)
        if (box)
            box->done(QMessageBox::Cancel);
}

bool MessageBoxes::isShowing() {
    for (const QPointer<QMessageBox>& box : state().open)
        if (box)
            return true;
    return false;
}

} // namespace plenfox::client::ui
