#include "client/ui/WindowState.h"

#include "lib/util/Paths.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <system_error>

namespace plenfox::client::ui {

namespace {

const QString Group = QStringLiteral("MainWindow");
// Larger than any desktop: such a value is a damaged file.
constexpr int MaxExtent = 100000;
// How much of the window's top edge must stay on its screen to be grabbed.
constexpr int GrabWidth = 100;

bool usable(const QRect& rect) {
    return rect.isValid() && rect.width() < MaxExtent && rect.height() < MaxExtent &&
           qAbs(rect.x()) < MaxExtent && qAbs(rect.y()) < MaxExtent;
}

} // namespace

std::optional<WindowState> WindowState::load(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    QSettings settings(util::pathText(file), QSettings::IniFormat);
    settings.beginGroup(Group);
    WindowState state;
    state.screen = settings.value(QStringLiteral("screen")).toString();
    state.geometry = settings.value(QStringLiteral("geometry")).toRect();
    state.maximized = settings.value(QStringLiteral("maximized"), false).toBool();
    state.tab = settings.value(QStringLiteral("tab"), 0).toInt();
    if (settings.status() != QSettings::NoError || !usable(state.geometry))
        return std::nullopt;
    return state;
}

bool WindowState::save(const std::filesystem::path& file) const {
    QSettings settings(util::pathText(file), QSettings::IniFormat);
    settings.beginGroup(Group);
    settings.setValue(QStringLiteral("screen"), screen);
    settings.setValue(QStringLiteral("geometry"), geometry);
    settings.setValue(QStringLiteral("maximized"), maximized);
    settings.setValue(QStringLiteral("tab"), tab);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QRect WindowState::placeOn(const QList<Screen>& screens) const {
    if (screens.isEmpty())
        return QRect(QPoint(0, 0), geometry.size());
    const Screen* target = &screens.front();
    for (const Screen& candidate : screens) {
        if (candidate.name != screen)
            continue;
        const QRect& area = candidate.available;
        const bool topOnScreen = geometry.top() >= area.top() && geometry.top() < area.bottom();
        const int topWidth = (geometry & area).width();
        if (topOnScreen && topWidth >= qMin(GrabWidth, geometry.width()))
            return geometry;
        // The screen is there but shows too little of the window now.
        target = &candidate;
        break;
    }
    QRect placed(QPoint(0, 0), geometry.size().boundedTo(target->available.size()));
    placed.moveCenter(target->available.center());
    return placed;
}

QList<WindowState::Screen> WindowState::currentScreens() {
    QList<Screen> screens;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        screens.append({primary->name(), primary->availableGeometry()});
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            screens.append({screen->name(), screen->availableGeometry()});
    return screens;
}

} // namespace plenfox::client::ui
