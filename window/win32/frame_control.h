#pragma once

#include "window/win32/desktop.h"

#include <windows.h>

// The drop frame's window class: an etched border with the caption set into its top edge, over
// a background of its own colour. A pointer to its FrameLook is the creation parameter.
inline constexpr wchar_t kFrameClass[] = L"KarvoselFrame";

// The frame's colour (0x00BBGGRR), which gives way to the system's while `desktop` has high
// contrast on, so that the caption stays readable.
struct FrameLook {
    COLORREF colour;
    const Desktop* desktop;
};

void RegisterFrameClass(HINSTANCE instance);
