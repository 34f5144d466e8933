#pragma once

#include <windows.h>

#include <string_view>

// Empties the clipboard and puts `text` on it as Unicode text, for `owner`. False when the
// clipboard could not be opened or written.
bool PutOnClipboard(HWND owner, std::wstring_view text);
