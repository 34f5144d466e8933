#pragma once

#include <windows.h>

// Ctrl+V or Shift+Insert in any control of the form while the clipboard holds copied files.
inline bool PastesFiles(HWND form, const MSG& message) {
    if (message.message != WM_KEYDOWN || !IsChild(form, message.hwnd) ||
        !IsClipboardFormatAvailable(CF_HDROP) || GetKeyState(VK_MENU) < 0) {
        return false;
    }
    const bool control = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    return (message.wParam == 'V' && control && !shift) ||
           (message.wParam == VK_INSERT && shift && !control);
}

// Hands a paste of copied files to the form, which loads them as a drop; every other message to
// the form's keyboard navigation first (Tab, and Enter or Space on a focused button), then to
// its window.
inline void DeliverMessage(HWND form, MSG& message) {
    if (PastesFiles(form, message)) {
        SendMessageW(form, WM_PASTE, 0, 0);
    } else if (!IsDialogMessageW(form, &message)) {
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
