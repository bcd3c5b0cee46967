#include <QApplication>
#include <gtest/gtest.h>

// Every test runs with one Qt application on the offscreen platform, so window
// tests need no display.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
