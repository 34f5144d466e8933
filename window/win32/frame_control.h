#pragma once

#include <windows.h>

// The drop frame's window class: an etched border with the caption set into its top edge, over
// a background of the colour (0x00BBGGRR) given as the creation parameter.
inline constexpr wchar_t kFrameClass[] = L"KarvoselFrame";

void RegisterFrameClass(HINSTANCE instance);
