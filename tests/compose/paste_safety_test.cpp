#include "compose/paste_safety.h"

#include <gtest/gtest.h>

namespace {

using compose::FindUnsafeCharacter;
using compose::PasteTarget;

struct SafetyCase {
    const char* name;
    std::u16string path;
    std::optional<char16_t> inPosixShell, inCommandPrompt;
};
void PrintTo(const SafetyCase& c, std::ostream* out) { *out << c.name; }

class FindUnsafeCharacterTest : public testing::TestWithParam<SafetyCase> {};

TEST_P(FindUnsafeCharacterTest, NamesTheFirstOffendingCharacter) {
    const SafetyCase& c = GetParam();
    EXPECT_EQ(FindUnsafeCharacter(c.path, PasteTarget::PosixShell), c.inPosixShell);
    EXPECT_EQ(FindUnsafeCharacter(c.path, PasteTarget::WindowsCommandPrompt), c.inCommandPrompt);
}

constexpr std::optional<char16_t> kSafe;

INSTANTIATE_TEST_SUITE_P(
    Paths, FindUnsafeCharacterTest,
    testing::Values(SafetyCase{"Ordinary", u"D:\\\u6a21\u578b (1)\\robot's & co \U0001F600.model",
                               kSafe, kSafe},
                    SafetyCase{"QuoteBreaksOut", uR"(C:\m\a"&calc&".model)", u'"', u'"'},
                    SafetyCase{"Newline", u"/m/a\nrm -rf ~.model", u'\n', u'\n'},
                    SafetyCase{"Unit31", u"/m/a\x1F.model", u'\x1F', u'\x1F'},
                    SafetyCase{"Delete", u"/m/a\x7F.model", u'\x7F', u'\x7F'},
                    SafetyCase{"TrailingBackslashEscapesTheQuote", uR"(D:\)", u'\\', u'\\'},
                    SafetyCase{"DollarExpands", u"/m/$(reboot).model", u'$', kSafe},
                    SafetyCase{"BacktickRuns", u"/m/`reboot`.model", u'`', kSafe},
                    SafetyCase{"ExclamationRecallsHistory", u"/m/wow!great.model", u'!', kSafe},
                    SafetyCase{"FirstOneWins", u"/m/$a\"b\\", u'$', u'"'}),
    [](const testing::TestParamInfo<SafetyCase>& info) { return info.param.name; });

}  // namespace
