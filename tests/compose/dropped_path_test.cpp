#include "compose/dropped_path.h"
#include "tests/compose/split_rules.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using compose::SplitDroppedPath;

struct SplitCase {
    const char* name;
    std::u16string fullpath;
    char16_t separator;
    std::u16string filename, extension, displayname, folder, previewpath;
};
void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.name; }

class SplitDroppedPathTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitDroppedPathTest, GivesEveryPart) {
    const SplitCase& c = GetParam();
    const compose::DroppedPathParts parts = SplitDroppedPath(c.fullpath, c.separator);
    EXPECT_EQ(parts.fullpath, c.fullpath);
    EXPECT_EQ(parts.filename, c.filename);
    EXPECT_EQ(parts.extension, c.extension);
    EXPECT_EQ(parts.displayname, c.displayname);
    EXPECT_EQ(parts.folder, c.folder);
    EXPECT_EQ(parts.previewpath, c.previewpath);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, SplitDroppedPathTest,
    testing::Values(
        SplitCase{"Model", uR"(D:\models\robot\robot.model)", u'\\', u"robot.model", u"model",
                  u"robot", uR"(D:\models\robot\)", uR"(D:\models\robot\robot.jpg)"},
        SplitCase{"TwoDots", uR"(D:\m\robot.v2.model)", u'\\', u"robot.v2.model", u"model",
                  u"robot.v2", uR"(D:\m\)", uR"(D:\m\robot.v2.jpg)"},
        SplitCase{"NoDot", uR"(D:\m\README)", u'\\', u"README", u"README", u"README", uR"(D:\m\)",
                  uR"(D:\m\README.jpg)"},
        SplitCase{"RepeatedExtension", uR"(D:\m\a.model.model)", u'\\', u"a.model.model", u"model",
                  u"a.model", uR"(D:\m\)", uR"(D:\m\a.model.jpg)"},
        SplitCase{"ExtensionInsideName", uR"(D:\m\x.modely.model)", u'\\', u"x.modely.model",
                  u"model", u"x.modely", uR"(D:\m\)", uR"(D:\m\x.modely.jpg)"},
        SplitCase{"LetterCaseKept", uR"(D:\m\Robot.MODEL)", u'\\', u"Robot.MODEL", u"MODEL",
                  u"Robot", uR"(D:\m\)", uR"(D:\m\Robot.jpg)"},
        SplitCase{"NameAlsoFolderName", uR"(D:\robot.model\robot.model)", u'\\', u"robot.model",
                  u"model", u"robot", uR"(D:\robot.model\)", uR"(D:\robot.model\robot.jpg)"},
        SplitCase{"NameInsideFolderName", uR"(C:\m.xyz\m.x)", u'\\', u"m.x", u"x", u"m",
                  uR"(C:\m.xyz\)", uR"(C:\m.xyz\m.jpg)"},
        SplitCase{"TrailingDot", uR"(D:\m\trailingdot.)", u'\\', u"trailingdot.", u"",
                  u"trailingdot", uR"(D:\m\)", uR"(D:\m\trailingdot.jpg)"},
        SplitCase{"TwoDotsOneTrailing", uR"(D:\m\a.b.)", u'\\', u"a.b.", u"", u"a.b", uR"(D:\m\)",
                  uR"(D:\m\a.b.jpg)"},
        SplitCase{"DriveRoot", uR"(D:\)", u'\\', u"", u"", u"", uR"(D:\)", uR"(D:\.jpg)"},
        SplitCase{"Folder", uR"(D:\m\pics)", u'\\', u"pics", u"pics", u"pics", uR"(D:\m\)",
                  uR"(D:\m\pics.jpg)"},
        SplitCase{"UncShare", uR"(\\server\share\m.model)", u'\\', u"m.model", u"model", u"m",
                  uR"(\\server\share\)", uR"(\\server\share\m.jpg)"},
        SplitCase{"SlashIsPartOfTheName", u"D:\\m\\a/b.model", u'\\', u"a/b.model", u"model",
                  u"a/b", uR"(D:\m\)", uR"(D:\m\a/b.jpg)"},
        SplitCase{"NoSeparator", u"robot.model", u'\\', u"robot.model", u"model", u"robot", u"",
                  u"robot.jpg"},
        SplitCase{"Empty", u"", u'\\', u"", u"", u"", u"", u""}),
    [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Posix, SplitDroppedPathTest,
    testing::Values(SplitCase{"Model", u"/home/u/robot/robot.model", u'/', u"robot.model", u"model",
                              u"robot", u"/home/u/robot/", u"/home/u/robot/robot.jpg"},
                    SplitCase{"BackslashIsPartOfTheName", u"/srv/a\\b.model", u'/', u"a\\b.model",
                              u"model", u"a\\b", u"/srv/", u"/srv/a\\b.jpg"},
                    SplitCase{"HiddenFile", u"/home/u/.model", u'/', u".model", u"model", u"",
                              u"/home/u/", u"/home/u/.jpg"},
                    SplitCase{"OnlySeparators", u"///", u'/', u"", u"", u"", u"///", u"///.jpg"},
                    // Characters outside the BMP are two code units: a cut must not split them.
                    SplitCase{"CjkAndEmoji", u"/\u6a21\u578b/\U0001F916.\U0001F600", u'/',
                              u"\U0001F916.\U0001F600", u"\U0001F600", u"\U0001F916",
                              u"/\u6a21\u578b/", u"/\u6a21\u578b/\U0001F916.jpg"}),
    [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

// Properties that hold for any path, over random paths built from the characters that matter.
TEST(SplitDroppedPathProperties, PartsFitTogether) {
    const std::u16string alphabet = u"\\/.a\u6a21 \xD83D\xDE00";
    std::mt19937 random(7);
    for (int round = 0; round < 5000; ++round) {
        std::u16string path;
        const std::size_t length = random() % 12;
        for (std::size_t i = 0; i < length; ++i) {
            path += alphabet[random() % alphabet.size()];
        }
        for (const char16_t separator : {u'\\', u'/'}) {
            const char* const broken = BrokenSplitRule(path, separator);
            EXPECT_FALSE(broken) << broken << " for " << testing::PrintToString(path);
        }
    }
}

}  // namespace
