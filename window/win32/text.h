#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Windows' wide characters are UTF-16 code units, like the core's char16_t.
inline std::wstring ToWide(std::u16string_view text) { return {text.begin(), text.end()}; }
inline std::u16string ToU16(std::wstring_view text) { return {text.begin(), text.end()}; }

inline std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1))));
    return text;
}

inline void SetText(HWND window, std::u16string_view text) {
    SetWindowTextW(window, ToWide(text).c_str());
}
