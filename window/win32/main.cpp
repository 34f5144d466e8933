#include "window/win32/form1.h"
#include "window/win32/message_loop.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    if (!InitCommonControlsEx(&controls)) {
        return 1;
    }
    const Desktop desktop;
    Form1 form(instance, desktop);
    if (!form.Handle()) {
        return 1;
    }
    form.Show(showCommand);
    return RunMessageLoop(form.Handle());
}
