#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Widgets are needed for native windows; tests run on the offscreen platform.
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
