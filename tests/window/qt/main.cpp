#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Offscreen unless told otherwise, so that the tests are listed and run without a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QApplication::setCursorFlashTime(0);  // a caret that is drawn stays drawn
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
