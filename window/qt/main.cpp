#include "window/qt/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Lets Wayland desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.karvosel.Karvosel"));
    Form1 form;
    form.show();
    return application.exec();
}
