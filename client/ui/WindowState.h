#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <filesystem>
#include <optional>

class QWidget;

namespace plenfox::client::ui {

// Where the main window was and which tab it showed, kept across runs in a
// small INI file of the program's data folder (QSettings' format, so a
// person can read and mend it; the program's other data files keep theirs).
struct WindowState {
    // A screen as the placement sees it: its name and the part of the
    // desktop windows may use.
    struct Screen {
        QString name;
        QRect available;
    };

    QString screen;
    QRect geometry; // the window's normal (not maximized) place and size
    bool maximized = false;
    int tab = 0;

    // Absent when the file is missing or does not hold a usable geometry.
    static std::optional<WindowState> load(const std::filesystem::path& file);
    // False when the file could not be written.
    bool save(const std::filesystem::path& file) const;

    // The rectangle to give the window: the saved one while the screen of
    // that name still shows enough of the window's top edge to grab it;
    // otherwise the saved size (no larger than the screen) centred on that
    // screen, or on the first screen when that screen is gone.
    QRect placeOn(const QList<Screen>& screens) const;
    // The screens the window system offers now, the primary first.
    static QList<Screen> currentScreens();
};

} // namespace plenfox::client::ui
