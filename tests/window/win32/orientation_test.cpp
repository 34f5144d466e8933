#include "window/win32/orientation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Turn {
    int tag;
    std::vector<std::uint32_t> shown;  // of the stored 3 by 2 picture 1 2 3 / 4 5 6
};

class TurnUprightTest : public testing::TestWithParam<Turn> {};

TEST_P(TurnUprightTest, ShowsThePictureAsItsTagSays) {
    const std::vector<std::uint32_t> stored{1, 2, 3, 4, 5, 6};
    std::vector<std::uint32_t> shown(stored.size());
    TurnUpright(stored.data(), 3, 2, FromExifOrientation(GetParam().tag), shown.data());
    EXPECT_EQ(shown, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(ExifTags, TurnUprightTest,
                         testing::Values(Turn{1, {1, 2, 3, 4, 5, 6}}, Turn{2, {3, 2, 1, 6, 5, 4}},
                                         Turn{3, {6, 5, 4, 3, 2, 1}}, Turn{4, {4, 5, 6, 1, 2, 3}},
                                         Turn{5, {1, 4, 2, 5, 3, 6}}, Turn{6, {4, 1, 5, 2, 6, 3}},
                                         Turn{7, {6, 3, 5, 2, 4, 1}}, Turn{8, {3, 6, 2, 5, 1, 4}},
                                         Turn{0, {1, 2, 3, 4, 5, 6}}, Turn{9, {1, 2, 3, 4, 5, 6}}),
                         [](const testing::TestParamInfo<Turn>& info) {
                             return "tag_" + std::to_string(info.param.tag);
                         });

}  // namespace
