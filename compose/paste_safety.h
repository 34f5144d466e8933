#pragma once

#include <optional>
#include <string_view>

namespace compose {

// Where the copied command line is meant to be pasted.
enum class PasteTarget { WindowsCommandPrompt, PosixShell };

// Whether the environment a pasted line meets has a variable of `name`.
using VariableIsSet = bool (*)(std::u16string_view name);

// The first character of `modelpath` that would end its double quotes, run a command or change
// the path when the line is pasted into `target`: a double quote, a control character (0-31,
// 127) or a backslash at the end; in a POSIX shell also '$', '`' and '!' (interactive bash
// expands it inside double quotes); in the command prompt the '%' that opens a `%NAME%` of a
// variable it has, one of its own (such as DATE) or one that `isSet` tells of. Nothing when
// the path is safe there.
std::optional<char16_t> FindUnsafeCharacter(std::u16string_view modelpath, PasteTarget target,
                                            VariableIsSet isSet = nullptr);

}  // namespace compose
