#include "compose/option_fragments.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using compose::BuildCommandLine;
using compose::ControlValues;
using compose::OptionFragments;

struct LineCase {
    const char* name;
    ControlValues values;
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

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTest,
    testing::Values(
        LineCase{"DesignTimeValues",
                 {{1, 1, 1, 0, 0, 1}, u"400", u"600"},
                 u"",
                 uR"(Vandrelix.exe "" -xi -xa -ws[400,600] -cc[0,11,0])"},
        LineCase{
            "DefaultDrop",
            {{1, 1, 1, 0, 0, 1}, u"400", u"600"},
            uR"(D:\models\robot\robot.model)",
            uR"(Vandrelix.exe "D:\models\robot\robot.model" -xi -xa -ws[400,600] -cc[0,11,0])"},
        LineCase{"AllClearedNoWidth",
                 {{0, 0, 0, 0, 0, 0}, u"", u"600"},
                 u"",
                 uR"(Vandrelix.exe "" -xe -xss -xs -xi -xa)"},
        LineCase{"AllGrayedCountAsCleared",
                 {{2, 2, 2, 2, 2, 2}, u"", u""},
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
                 uR"(Vandrelix.exe "" -ws[abc,])"},
        LineCase{"NoEscapingAndUtf16Path",
                 {{1, 1, 1, 1, 1, 0}, u" 7 ", u"-1"},
                 u"/home/\u6a21\u578b/%PATH% \\x/\U0001F600.model",
                 u"Vandrelix.exe \"/home/\u6a21\u578b/%PATH% \\x/\U0001F600.model\" -ws[ 7 ,-1]"}),
    [](const testing::TestParamInfo<LineCase>& info) { return info.param.name; });

struct BoxCase {
    int box;
    std::u16string expectedWhenCleared;  // starting from every box checked
};
void PrintTo(const BoxCase& c, std::ostream* out) { *out << "box " << c.box; }

class OptionBoxTest : public testing::TestWithParam<BoxCase> {};

TEST_P(OptionBoxTest, ClearingOneBoxChangesOnlyItsFlag) {
    OptionFragments fragments;
    compose::RefreshAll(fragments, {{1, 1, 1, 1, 1, 1}, u"", u""});
    compose::RefreshFragment(fragments, GetParam().box, 0);
    EXPECT_EQ(BuildCommandLine(fragments), GetParam().expectedWhenCleared);
}

INSTANTIATE_TEST_SUITE_P(Boxes, OptionBoxTest,
                         testing::Values(BoxCase{1, uR"(Vandrelix.exe "" -xe -cc[0,11,0])"},
                                         BoxCase{2, uR"(Vandrelix.exe "" -xss -cc[0,11,0])"},
                                         BoxCase{3, uR"(Vandrelix.exe "" -xs -cc[0,11,0])"},
                                         BoxCase{4, uR"(Vandrelix.exe "" -xi -cc[0,11,0])"},
                                         BoxCase{5, uR"(Vandrelix.exe "" -xa -cc[0,11,0])"},
                                         BoxCase{6, uR"(Vandrelix.exe "")"}));

TEST(RefreshFragment, BoxNumbersOutsideOneToSixChangeNothing) {
    OptionFragments fragments;
    compose::RefreshAll(fragments, {{1, 1, 1, 0, 0, 1}, u"400", u"600"});
    const std::u16string before = BuildCommandLine(fragments);
    for (const int box : {-1, 0, 7, 100}) {
        for (const std::int16_t value : {0, 1, 2}) {
            compose::RefreshFragment(fragments, box, value);
        }
    }
    EXPECT_EQ(BuildCommandLine(fragments), before);
}

TEST(RefreshAll, LeavesTheModelPathAlone) {
    OptionFragments fragments;
    fragments.modelpath = u"D:\\m\\a.model";
    compose::RefreshAll(fragments, {{0, 0, 0, 0, 0, 0}, u"", u""});
    EXPECT_EQ(fragments.modelpath, u"D:\\m\\a.model");
}

// Whatever the history of clicks and edits, the line depends only on the controls' last values.
TEST(Refresh, NeverAccumulates) {
    std::mt19937 random(20261206);
    const std::u16string sizes[] = {u"", u"400", u"  ", u"1920"};
    ControlValues last;
    OptionFragments fragments;
    compose::RefreshAll(fragments, last);
    for (int step = 0; step < 2000; ++step) {
        if (random() % 7 == 0) {
            last.width = sizes[random() % 4];
            last.height = sizes[random() % 4];
            compose::RefreshWH(fragments, last.width, last.height);
        } else {
            const int box = static_cast<int>(random() % 6) + 1;
            const auto value = static_cast<std::int16_t>(random() % 3);
            last.checks[static_cast<std::size_t>(box - 1)] = value;
            compose::RefreshFragment(fragments, box, value);
        }
        OptionFragments fresh;
        compose::RefreshAll(fresh, last);
        ASSERT_EQ(BuildCommandLine(fragments), BuildCommandLine(fresh)) << "step " << step;
    }
}

}  // namespace
