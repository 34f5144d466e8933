#include "compose/option_fragments.h"

#include <gtest/gtest.h>

namespace {

using compose::BuildCommandLine;
using compose::OptionFragments;

struct LineCase {
    const char* name;
    compose::ControlValues values;
    std::u16string modelpath;
    std::u16string expected;
};
void PrintTo(const LineCase& c, std::ostream* out) { *out << c.name; }

class CommandLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(CommandLineTest, LoadRefreshComposesTheLine) {
    OptionFragments fragments;
    compose::RefreshAll(fragments, GetParam().values);
    fragments.modelpath = GetParam().modelpath;
    EXPECT_EQ(BuildCommandLine(fragments), GetParam().expected);
}

// The window tests pin each box to its flag; these rows hold what no click can reach.
INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTest,
    testing::Values(
        LineCase{
            "DesignTimeValues",
            {{1, 1, 1, 0, 0, 1}, u"400", u"600"},
            uR"(D:\models\robot\robot.model)",
            uR"(Vandrelix.exe "D:\models\robot\robot.model" -xi -xa -ws[400,600] -cc[0,11,0])"},
        LineCase{"AllGrayedCountAsCleared",
                 {{2, 2, 2, 2, 2, 2}, u"", u"600"},
                 u"",
                 uR"(Vandrelix.exe "" -xe -xss -xs -xi -xa)"},
        LineCase{"AllCheckedWithBlankInPath",
                 {{1, 1, 1, 1, 1, 1}, u"1280", u"720"},
                 uR"(C:\a b\m.x)",
                 uR"(Vandrelix.exe "C:\a b\m.x" -ws[1280,720] -cc[0,11,0])"},
        LineCase{"BlankWidthIsNotEmpty",
                 {{1, 1, 1, 1, 1, 0}, u"  ", u"600"},
                 u"",
                 uR"(Vandrelix.exe "" -ws[  ,600])"},
        LineCase{"EmptyHeightKeepsComma",
                 {{1, 1, 1, 1, 1, 0}, u"abc", u""},
                 u"",
                 uR"(Vandrelix.exe "" -ws[abc,])"}),
    [](const testing::TestParamInfo<LineCase>& info) { return info.param.name; });

// A click or an edit replaces its fragment; a box number outside 1..6 touches nothing, and no
// refresh touches the model path.
TEST(Refresh, ReplacesOnlyItsOwnFragment) {
    OptionFragments fragments;
    fragments.modelpath.assign(1, u'm');
    compose::RefreshAll(fragments, {{1, 1, 1, 0, 0, 1}, u"400", u"600"});
    for (const int box : {0, 7}) {
        compose::RefreshFragment(fragments, box, 0);
    }
    compose::RefreshFragment(fragments, 1, 0);
    compose::RefreshFragment(fragments, 1, 0);
    compose::RefreshWH(fragments, u"1", u"2");
    compose::RefreshWH(fragments, u"1", u"2");
    EXPECT_EQ(BuildCommandLine(fragments),
              uR"(Vandrelix.exe "m" -xe -xi -xa -ws[1,2] -cc[0,11,0])");
}

}  // namespace
