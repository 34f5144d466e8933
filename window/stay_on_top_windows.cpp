#include "window/stay_on_top.h"

#include <QWidget>

#include <windows.h>

void KeepOnTop(QWidget& window) {
    SetWindowPos(reinterpret_cast<HWND>(window.winId()), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}
