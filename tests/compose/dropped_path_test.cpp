#include "compose/dropped_path.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The folder is everything up to the last separator, and only the last ".extension" goes.
TEST(SplitDroppedPath, GivesEveryPart) {
    using Parts = std::vector<std::u16string>;  // full path, file, extension, name, folder, .jpg
    const Parts rows[] = {
        {uR"(D:\m.v2\README)", u"README", u"README", u"README", uR"(D:\m.v2\)",
         uR"(D:\m.v2\README.jpg)"},  // a name without a dot is its own extension
        {uR"(D:\m\a.b.)", u"a.b.", u"", u"a.b", uR"(D:\m\)", uR"(D:\m\a.b.jpg)"},
        {uR"(D:\)", u"", u"", u"", uR"(D:\)", uR"(D:\.jpg)"},
        {u"robot.model", u"robot.model", u"model", u"robot", u"", u"robot.jpg"},
        {u"", u"", u"", u"", u"", u""},
    };
    const auto split = [](std::u16string_view path, char16_t separator) {
        const compose::DroppedPathParts parts = compose::SplitDroppedPath(path, separator);
        return Parts{parts.fullpath,    parts.filename, parts.extension,
                     parts.displayname, parts.folder,   parts.previewpath};
    };
    for (const Parts& expected : rows) {
        EXPECT_EQ(split(expected[0], u'\\'), expected);
    }
    // On Linux a backslash is part of a name.
    EXPECT_EQ(split(u"/srv/a\\b.model", u'/'), (Parts{u"/srv/a\\b.model", u"a\\b.model", u"model",
                                                      u"a\\b", u"/srv/", u"/srv/a\\b.jpg"}));
}

}  // namespace
