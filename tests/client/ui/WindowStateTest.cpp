// Where the window comes back: on its own screen while that shows enough of
// it, centred otherwise; the file it is kept in, also when damaged.
#include "client/ui/WindowState.h"

#include "tests/support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace plenfox::test {
namespace {

using client::ui::WindowState;
using Screens = QList<WindowState::Screen>;

const Screens TwoScreens = {{QStringLiteral("eDP-1"), QRect(0, 0, 1920, 1050)},
                            {QStringLiteral("HDMI-1"), QRect(1920, 0, 2560, 1410)}};

WindowState savedOn(const QString& screen, const QRect& geometry) {
    WindowState state;
    state.screen = screen;
    state.geometry = geometry;
    return state;
}

TEST(WindowState, ComesBackOnItsScreenWhileThatShowsItsTopEdge) {
    for (const auto& [screen, geometry] :
         {std::pair{QStringLiteral("eDP-1"), QRect(100, 80, 1024, 768)},
          std::pair{QStringLiteral("HDMI-1"), QRect(2200, 300, 1600, 1000)},
          // Mostly off to the right, but its left 100 pixels can be grabbed.
          std::pair{QStringLiteral("eDP-1"), QRect(1820, 0, 1024, 768)}}) {
        EXPECT_EQ(savedOn(screen, geometry).placeOn(TwoScreens), geometry) << screen.toStdString();
    }
}

TEST(WindowState, IsCentredWhenItsScreenIsGoneOrShowsTooLittle) {
    // The second screen was unplugged: centred on the first.
    EXPECT_EQ(
        savedOn(QStringLiteral("HDMI-1"), QRect(2200, 300, 800, 600)).placeOn({TwoScreens.front()}),
        QRect(560, 225, 800, 600));
    // Its screen shrank, or the window's top went above it: the title bar
    // would be off the screen; centred there.
    for (const QRect& geometry : {QRect(1930, 1500, 800, 600), QRect(2000, -300, 800, 600)})
        EXPECT_EQ(savedOn(QStringLiteral("HDMI-1"), geometry).placeOn(TwoScreens),
                  QRect(2800, 405, 800, 600));
    EXPECT_EQ(savedOn(QStringLiteral("eDP-1"), QRect(1900, 10, 800, 600)).placeOn(TwoScreens),
              QRect(560, 225, 800, 600));
    // Never larger than the screen it is centred on.
    EXPECT_EQ(savedOn(QStringLiteral("DP-3"), QRect(0, 0, 2500, 1400)).placeOn(TwoScreens),
              QRect(0, 0, 1920, 1050));
    // No screen known at all: the size alone.
    EXPECT_EQ(savedOn(QStringLiteral("eDP-1"), QRect(50, 50, 800, 600)).placeOn({}),
              QRect(0, 0, 800, 600));
}

TEST(WindowState, IsKeptInItsFileAndADamagedFileCountsAsNone) {
    QTemporaryDir folder;
    const std::filesystem::path file = folder.filePath(QStringLiteral("Window.ini")).toStdString();
    EXPECT_FALSE(WindowState::load(file));

    WindowState state = savedOn(QStringLiteral("Écran 2"), QRect(-1200, 40, 1100, 700));
    state.maximized = true;
    state.tab = 2;
    ASSERT_TRUE(state.save(file));
    const std::optional<WindowState> loaded = WindowState::load(file);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->screen, state.screen);
    EXPECT_EQ(loaded->geometry, state.geometry);
    EXPECT_TRUE(loaded->maximized);
    EXPECT_EQ(loaded->tab, 2);

    for (const QByteArray& damaged :
         {QByteArray("[MainWindow]\ngeometry=@Rect(0 0 0 0)\n"),
          QByteArray("[MainWindow]\ngeometry=@Rect(0 0 9999999 600)\n"),
          QByteArray("[MainWindow]\ngeometry=a window\n"), QByteArray("\x01\x02\xff garbage")}) {
        writeFile(file, damaged);
        EXPECT_FALSE(WindowState::load(file)) << damaged.toStdString();
    }
    // A folder where the file should be cannot be written.
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_FALSE(state.save(file));
}

} // namespace
} // namespace plenfox::test
