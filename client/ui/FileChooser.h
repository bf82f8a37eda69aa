#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace plenfox::client::ui {

// Asks the player for an existing file. Tests answer the next chooser with
// setNextFileName instead of a person, and read what it was opened with.
class FileChooser {
public:
    struct Request {
        QString title;
        QString startFolder;
        QString filterDescription;
        // Names (compared ignoring case) of the files shown besides folders.
        QStringList acceptedNames;
    };

    // The chosen file, or a null text when the player cancelled.
    static QString chooseFile(QWidget* owner, const Request& request);
    // Whether a chooser for the request shows an entry of that name.
    static bool shows(const Request& request, const QString& name, bool isFolder);

    // The next chooser returns this at once (a null text: cancelled).
    static void setNextFileName(const QString& fileName);
    static std::optional<Request> lastRequest();
    static void reset();
};

} // namespace plenfox::client::ui
