#pragma once

#include <optional>
#include <string_view>

namespace compose {

// Where the copied command line is meant to be pasted.
enum class PasteTarget { WindowsCommandPrompt, PosixShell };

// The first character of `modelpath` that would end its double quotes or run a command when
// the line is pasted into `target`: a double quote, a control character (0-31, 127) or a
// backslash at the end, and in a POSIX shell also '$', '`' and '!' (interactive bash expands it
// inside double quotes). Nothing when the path is safe there.
std::optional<char16_t> FindUnsafeCharacter(std::u16string_view modelpath, PasteTarget target);

}  // namespace compose
