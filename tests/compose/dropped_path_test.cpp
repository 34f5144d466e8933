#include "compose/dropped_path.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The folder is everything up to the last separator, and only the last ".extension" goes.
TEST(SplitDroppedPath, GivesEveryPart) {
    using Parts = std::vector<std::u16string>;  // full path, file, extension, name, folder, .jpg
    const std::pair<char16_t, Parts> rows[] = {
        {u'\\',
         {uR"(D:\models\robot\robot.model)", u"robot.model", u"model", u"robot",
          uR"(D:\models\robot\)", uR"(D:\models\robot\robot.jpg)"}},
        {u'\\',
         {uR"(D:\m\a.model.model)", u"a.model.model", u"model", u"a.model", uR"(D:\m\)",
          uR"(D:\m\a.model.jpg)"}},
        {u'\\',
         {uR"(D:\m\README)", u"README", u"README", u"README", uR"(D:\m\)", uR"(D:\m\README.jpg)"}},
        {u'\\',
         {uR"(D:\robot.model\robot.model)", u"robot.model", u"model", u"robot",
          uR"(D:\robot.model\)", uR"(D:\robot.model\robot.jpg)"}},
        {u'\\', {uR"(D:\m\a.b.)", u"a.b.", u"", u"a.b", uR"(D:\m\)", uR"(D:\m\a.b.jpg)"}},
        {u'\\', {uR"(D:\)", u"", u"", u"", uR"(D:\)", uR"(D:\.jpg)"}},
        {u'\\', {u"robot.model", u"robot.model", u"model", u"robot", u"", u"robot.jpg"}},
        {u'\\', {u"", u"", u"", u"", u"", u""}},
        {u'/', {u"/srv/a\\b.model", u"a\\b.model", u"model", u"a\\b", u"/srv/", u"/srv/a\\b.jpg"}},
    };
    for (const auto& [separator, expected] : rows) {
        const compose::DroppedPathParts parts = compose::SplitDroppedPath(expected[0], separator);
        EXPECT_EQ((Parts{parts.fullpath, parts.filename, parts.extension, parts.displayname,
                         parts.folder, parts.previewpath}),
                  expected);
    }
}

}  // namespace
