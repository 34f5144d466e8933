#include "window/qt/form1.h"
#include "window/qt/platform.h"

#include <QApplication>

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    // Parsing fontconfig's configuration takes milliseconds and needs no display, so it runs on
    // another core while Qt connects to the display; it is done before the form asks for a font.
    std::jthread fontConfiguration(FcInit);
    QApplication application(argc, argv);
    fontConfiguration.join();
    // Lets Wayland desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(u"org.karvosel.Karvosel"_s);
    Form1 form;
    form.show();
    const int status = application.exec();
    // Qt 6.4's Wayland client can deadlock joining its event threads at exit, leaving the
    // process running with no window. By now wl-copy holds the line, so nothing is lost by
    // ending without that teardown.
    if (OnWayland()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
