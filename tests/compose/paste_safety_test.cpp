#include "compose/paste_safety.h"

#include <gtest/gtest.h>

namespace {

using compose::FindUnsafeCharacter;
using compose::PasteTarget;

// The environment of the command prompt in these rows.
bool IsSet(std::u16string_view name) { return name == u"PATH" || name == u"My Docs"; }

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
             Row{uR"(C:\m\%PATH%\a.model)", kSafe, u'%'},
             Row{uR"(C:\m\%My Docs%.model)", kSafe, u'%'},
             Row{uR"(C:\m\%date%.model)", kSafe, u'%'},         // cmd's own, not in the environment
             Row{uR"(C:\m\%NOSUCH%PATH%.model)", kSafe, u'%'},  // the closing % opens the next
             Row{uR"(C:\m\%%PATH%%.model)", kSafe, u'%'},
             Row{uR"(C:\m\100%\%NOSUCH%\%%\a.model)", kSafe, kSafe},
         }) {
        EXPECT_EQ(FindUnsafeCharacter(row.path, PasteTarget::PosixShell, IsSet), row.inPosixShell);
        EXPECT_EQ(FindUnsafeCharacter(row.path, PasteTarget::WindowsCommandPrompt, IsSet),
                  row.inCommandPrompt)
            << testing::PrintToString(std::u16string(row.path));
    }
}

}  // namespace
