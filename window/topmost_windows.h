#pragma once

#include <cstdint>

// Puts the window with the native handle `window` at the top of the topmost windows.
void MakeTopmost(std::uintptr_t window);
