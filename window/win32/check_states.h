#pragma once

#include "window/check_value.h"

#include <windows.h>

// A check box's three states as Win32 buttons report them.
inline constexpr CheckStates<WPARAM> kWin32CheckStates{BST_UNCHECKED, BST_CHECKED,
                                                       BST_INDETERMINATE};
