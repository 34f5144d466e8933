#include "compose/paste_safety.h"

#include <algorithm>
#include <array>

namespace compose {

namespace {

// The variables the command prompt makes up as it reads a line, unless the environment has one
// of the same name.
constexpr std::array<std::u16string_view, 13> kCommandPromptVariables{
    u"CD",           u"DATE",          u"TIME",       u"RANDOM",
    u"ERRORLEVEL",   u"CMDEXTVERSION", u"CMDCMDLINE", u"HIGHESTNUMANODENUMBER",
    u"__CD__",       u"__APPDIR__",    u"=EXITCODE",  u"=EXITCODEASCII",
    u"FIRMWARE_TYPE"};

bool SameLetters(std::u16string_view a, std::u16string_view b) {
    const auto upper = [](char16_t c) {
        return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c;
    };
    return std::ranges::equal(a, b, {}, upper, upper);
}

// Interactive cmd replaces `%NAME%` where NAME is set, inside double quotes too, and leaves a
// `%` that opens no set name as it is, so its closing `%` may open the next: `%NO%PATH%`
// expands PATH. An empty name (`%%`) is never set. No `:` can follow a name in a file's path,
// so the `%NAME:~n%` and `%NAME:a=b%` forms never arise there.
bool ExpandsAVariable(std::u16string_view path, VariableIsSet isSet) {
    for (std::size_t open = path.find(u'%'); open != path.npos; open = path.find(u'%', open + 1)) {
        const std::size_t close = path.find(u'%', open + 1);
        if (close == path.npos) {
            return false;
        }
        const std::u16string_view name = path.substr(open + 1, close - open - 1);
        const auto sameName = [name](std::u16string_view own) {
            return SameLetters(own, name);
        };
        if (!name.empty() &&
            (std::ranges::any_of(kCommandPromptVariables, sameName) || (isSet && isSet(name)))) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<char16_t> FindUnsafeCharacter(std::u16string_view modelpath, PasteTarget target,
                                            VariableIsSet isSet) {
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
    if (target == PasteTarget::WindowsCommandPrompt && ExpandsAVariable(modelpath, isSet)) {
        return u'%';
    }
    // Before the closing quote a backslash escapes it, in a command line as in a shell.
    if (modelpath.ends_with(u'\\')) {
        return u'\\';
    }
    return std::nullopt;
}

}  // namespace compose
