#include <QApplication>
#include <QStyle>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    // Offscreen unless told otherwise, so that the tests are listed and run without a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    // Qt falls back to its own style when the one asked for is missing, which would pass unseen.
    if (const QString asked = qEnvironmentVariable("QT_STYLE_OVERRIDE");
        !asked.isEmpty() && QApplication::style()->name().compare(asked, Qt::CaseInsensitive)) {
        std::printf("SKIP: the widget style %s is not installed\n", qPrintable(asked));
        return 77;
    }
    QApplication::setCursorFlashTime(0);  // a caret that is drawn stays drawn
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
