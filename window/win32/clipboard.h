#pragma once

#include <windows.h>

#include <string_view>

// Empties the clipboard and puts `text` on it as Unicode text, for `owner`. False when the
// clipboard stayed held by another program for about a second, or could not be written.
bool PutOnClipboard(HWND owner, std::wstring_view text);
