#include "client/ui/MessageBoxes.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Widgets without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    plenfox::test::sandboxHomeForTheRun();
    QApplication application(argc, argv);
    // No test may wait for a person: unanswered dialogs return at once.
    plenfox::client::ui::MessageBoxes::setAutoAnswer(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
