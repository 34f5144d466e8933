// The program's only user32 call; built on Windows alone.
#include "window/topmost_windows.h"

#include <windows.h>

void MakeTopmost(std::uintptr_t window) {
    SetWindowPos(reinterpret_cast<HWND>(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
