#pragma once

#include <QString>
#include <optional>
#include <vector>

class QWidget;

namespace plenfox::client::ui {

// Every message and question the windows show goes through here, so that a
// test can answer the next one and read what was shown. Only the GUI thread
// may call these; other threads post to it first.
class MessageBoxes {
public:
    enum class Kind { Error, Information, Question };
    enum class Answer { Yes, No, Ok, Closed };
    struct Shown {
        Kind kind;
        QString title;
        QString text;
        // The answer Enter gives (questions only).
        Answer defaultAnswer = Answer::Ok;
    };

    static void showError(QWidget* owner, const QString& title, const QString& text);
    static void showInformation(QWidget* owner, const QString& title, const QString& text);
    // True only when the player answered Yes; Enter answers Yes.
    static bool askYesNo(QWidget* owner, const QString& title, const QString& text);
    // A question before something is deleted: true only when the player
    // answered Yes; Enter (and Escape) answer No.
    static bool askToDelete(QWidget* owner, const QString& title, const QString& text);

    // The next dialog returns this answer at once instead of waiting for a
    // person; answers queue up in order.
    static void setNextAnswer(Answer answer);
    // With auto answering on, a dialog without a queued answer returns at once
    // as if closed (No for a question).
    static void setAutoAnswer(bool on);
    static std::optional<Shown> last();
    static std::vector<Shown> history();
    static void clearHistory();
    // Closes every dialog that is waiting for a person, as if closed; used
    // when the program is asked to end.
    static void closeAll();
    static bool isShowing();

private:
    static Answer show(QWidget* owner, Kind kind, const QString& title, const QString& text,
                       Answer defaultAnswer);
};

} // namespace plenfox::client::ui
