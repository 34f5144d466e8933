#include "window/win32/orientation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TurnUpright, ShowsThePictureAsItsExifTagSays) {
    const std::vector<std::uint32_t> stored{1, 2, 3, 4, 5, 6};  // 3 by 2: 1 2 3 / 4 5 6
    const std::pair<int, std::vector<std::uint32_t>> rows[] = {
        {1, {1, 2, 3, 4, 5, 6}}, {2, {3, 2, 1, 6, 5, 4}}, {3, {6, 5, 4, 3, 2, 1}},
        {4, {4, 5, 6, 1, 2, 3}}, {5, {1, 4, 2, 5, 3, 6}}, {6, {4, 1, 5, 2, 6, 3}},
        {7, {6, 3, 5, 2, 4, 1}}, {8, {3, 6, 2, 5, 1, 4}}, {0, {1, 2, 3, 4, 5, 6}},
        {9, {1, 2, 3, 4, 5, 6}}};
    for (const auto& [tag, expected] : rows) {
        std::vector<std::uint32_t> shown(stored.size());
        TurnUpright(stored.data(), 3, 2, FromExifOrientation(tag), shown.data());
        EXPECT_EQ(shown, expected) << "tag " << tag;
    }
}

}  // namespace
