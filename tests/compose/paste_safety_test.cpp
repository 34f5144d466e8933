#include "compose/paste_safety.h"

#include <gtest/gtest.h>

namespace {

using compose::FindUnsafeCharacter;
using compose::PasteTarget;

TEST(FindUnsafeCharacter, NamesTheFirstOffendingCharacter) {
    constexpr std::optional<char16_t> kSafe;  // where the window tests show ordinary paths pass
    struct Row {
        std::u16string_view path;
        std::optional<char16_t> inPosixShell, inCommandPrompt;
    };
    for (const Row& row : {
             Row{uR"(C:\m\a"&calc&".model)", u'"', u'"'},
             Row{u"/m/a\nrm -rf ~.model", u'\n', u'\n'},
             Row{u"/m/a\x1F.model", u'\x1F', u'\x1F'},
             Row{u"/m/a\x7F.model", u'\x7F', u'\x7F'},
             Row{uR"(D:\)", u'\\', u'\\'},  // escapes the closing quote
             Row{u"/m/$(reboot).model", u'$', kSafe},
             Row{u"/m/`reboot`.model", u'`', kSafe},
             Row{u"/m/wow!great.model", u'!', kSafe},  // history, in an interactive bash
             Row{u"/m/$a\"b\\", u'$', u'"'},
         }) {
        EXPECT_EQ(FindUnsafeCharacter(row.path, PasteTarget::PosixShell), row.inPosixShell);
        EXPECT_EQ(FindUnsafeCharacter(row.path, PasteTarget::WindowsCommandPrompt),
                  row.inCommandPrompt);
    }
}

}  // namespace
