#include "compose/paste_safety.h"

#include <algorithm>

namespace compose {

std::optional<char16_t> FindUnsafeCharacter(std::u16string_view modelpath, PasteTarget target) {
    const auto unsafe = [target](char16_t c) {
        if (c < 0x20 || c == 0x7F || c == u'"') {
            return true;
        }
        return target == PasteTarget::PosixShell && (c == u'$' || c == u'`' || c == u'!');
    };
    const auto found = std::find_if(modelpath.begin(), modelpath.end(), unsafe);
    if (found != modelpath.end()) {
        return *found;
    }
    // Before the closing quote a backslash escapes it, in a command line as in a shell.
    if (modelpath.ends_with(u'\\')) {
        return u'\\';
    }
    return std::nullopt;
}

}  // namespace compose
