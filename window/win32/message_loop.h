#pragma once

#include <windows.h>

// Hands `message` to the form's keyboard navigation first (Tab, and Enter or Space on a
// focused button), then to its window.
inline void DeliverMessage(HWND form, MSG& message) {
    if (!IsDialogMessageW(form, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Runs until the form closes; gives the program's exit code.
inline int RunMessageLoop(HWND form) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DeliverMessage(form, message);
    }
    return static_cast<int>(message.wParam);
}
