// Which input makes a download count as the player's: a press of a mouse
// button or a key inside the watched widget, and nothing else.
#include "client/ui/PlayerInputWatch.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

using namespace plenfox::client::ui;

namespace {

// A window holding the watched panel (with a field inside it) and a button
// beside it, as the Web tab sits beside the rest of the window.
struct Window {
    QWidget window;
    QWidget* panel = new QWidget();
    QLineEdit* fieldInPanel = new QLineEdit(panel);
    QPushButton* buttonBeside = new QPushButton(QStringLiteral("beside"));

    Window() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(panel);
        layout->addWidget(buttonBeside);
        window.resize(300, 200);
        window.show();
    }
};

} // namespace

TEST(PlayerInputWatchTest, OnlyPressesInsideTheWatchedWidgetCount) {
    Window window;
    // Watches through the whole program, so a watch made later still sees
    // the input of widgets made earlier.
    PlayerInputWatch watch(window.panel);
    EXPECT_FALSE(watch.actedRecently()) << "nothing pressed yet";

    // Input elsewhere in the window, or input that presses nothing, does not
    // count.
    QTest::mouseClick(window.buttonBeside, Qt::LeftButton);
    QTest::keyClick(window.buttonBeside, Qt::Key_Space);
    QTest::mouseMove(window.fieldInPanel, QPoint(5, 5));
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.fieldInPanel, &release);
    EXPECT_FALSE(watch.actedRecently());

    // A key pressed in a widget inside the panel counts.
    QTest::keyClick(window.fieldInPanel, Qt::Key_A);
    EXPECT_TRUE(watch.actedRecently());
}

TEST(PlayerInputWatchTest, AClickOnTheWatchedWidgetItselfCounts) {
    Window window;
    PlayerInputWatch watch(window.panel);
    QTest::mouseClick(window.panel, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(watch.actedRecently());
}
