#include "compose/option_fragments.h"

#include <gtest/gtest.h>

namespace {

using compose::BuildCommandLine;
using compose::OptionFragments;

// The window tests pin each box to its flag; this line holds every flag at once, in order, with
// a blank width and an empty height kept as typed.
TEST(CommandLine, LoadRefreshComposesTheLine) {
    OptionFragments fragments;
    compose::RefreshAll(fragments, {{2, 2, 2, 2, 2, 1}, u"  ", u""});
    EXPECT_EQ(BuildCommandLine(fragments),
              uR"(Vandrelix.exe "" -xe -xss -xs -xi -xa -ws[  ,] -cc[0,11,0])");
}

// A click or an edit replaces its fragment; a box number outside 1..6 touches nothing, and no
// refresh touches the model path.
TEST(Refresh, ReplacesOnlyItsOwnFragment) {
    OptionFragments fragments;
    fragments.modelpath.assign(1, u'm');
    compose::RefreshAll(fragments, {{1, 1, 1, 0, 0, 1}, u"400", u"600"});
    for (const int box : {0, 7, 1, 1}) {
        compose::RefreshFragment(fragments, box, 0);
    }
    compose::RefreshWH(fragments, u"1", u"2");
    compose::RefreshWH(fragments, u"1", u"2");
    EXPECT_EQ(BuildCommandLine(fragments),
              uR"(Vandrelix.exe "m" -xe -xi -xa -ws[1,2] -cc[0,11,0])");
}

}  // namespace
