#pragma once

#include <string>
#include <string_view>

// Why a model path was not copied: it holds `unsafe`, which would break or change the pasted
// line (a backslash only at the end of the path, a '%' only around a variable's name).
std::u16string UnsafePathMessage(char16_t unsafe);

// The clipboard could not be opened or written.
inline constexpr std::u16string_view kClipboardFailedMessage = u"无法写入剪贴板，请再试一次。";
