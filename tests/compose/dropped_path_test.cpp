#include "compose/dropped_path.h"

#include <gtest/gtest.h>

namespace {

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
    const compose::DroppedPathParts parts = compose::SplitDroppedPath(c.fullpath, c.separator);
    EXPECT_EQ(parts.fullpath, c.fullpath);
    EXPECT_EQ(parts.filename, c.filename);
    EXPECT_EQ(parts.extension, c.extension);
    EXPECT_EQ(parts.displayname, c.displayname);
    EXPECT_EQ(parts.folder, c.folder);
    EXPECT_EQ(parts.previewpath, c.previewpath);
}

// The folder is everything up to the last separator, and only the last ".extension" goes.
INSTANTIATE_TEST_SUITE_P(
    Paths, SplitDroppedPathTest,
    testing::Values(
        SplitCase{"Model", uR"(D:\models\robot\robot.model)", u'\\', u"robot.model", u"model",
                  u"robot", uR"(D:\models\robot\)", uR"(D:\models\robot\robot.jpg)"},
        SplitCase{"RepeatedExtension", uR"(D:\m\a.model.model)", u'\\', u"a.model.model", u"model",
                  u"a.model", uR"(D:\m\)", uR"(D:\m\a.model.jpg)"},
        SplitCase{"NoDot", uR"(D:\m\README)", u'\\', u"README", u"README", u"README", uR"(D:\m\)",
                  uR"(D:\m\README.jpg)"},
        SplitCase{"NameAlsoFolderName", uR"(D:\robot.model\robot.model)", u'\\', u"robot.model",
                  u"model", u"robot", uR"(D:\robot.model\)", uR"(D:\robot.model\robot.jpg)"},
        SplitCase{"TrailingDot", uR"(D:\m\a.b.)", u'\\', u"a.b.", u"", u"a.b", uR"(D:\m\)",
                  uR"(D:\m\a.b.jpg)"},
        SplitCase{"DriveRoot", uR"(D:\)", u'\\', u"", u"", u"", uR"(D:\)", uR"(D:\.jpg)"},
        SplitCase{"NoSeparator", u"robot.model", u'\\', u"robot.model", u"model", u"robot", u"",
                  u"robot.jpg"},
        SplitCase{"Empty", u"", u'\\', u"", u"", u"", u"", u""},
        SplitCase{"PosixBackslashIsPartOfTheName", u"/srv/a\\b.model", u'/', u"a\\b.model",
                  u"model", u"a\\b", u"/srv/", u"/srv/a\\b.jpg"}),
    [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

}  // namespace
