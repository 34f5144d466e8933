#include "window/win32/orientation.h"

#include <array>

Orientation FromExifOrientation(int tag) {
    // clang-format off
    constexpr std::array<Orientation, 8> kByTag{{
        //  swap   columns rows
        {false, false, false},  // 1: as stored
        {false, true,  false},  // 2: mirrored left to right
        {false, true,  true},   // 3: turned half round
        {false, false, true},   // 4: mirrored top to bottom
        {true,  false, false},  // 5: mirrored along the main diagonal
        {true,  false, true},   // 6: to be turned a quarter clockwise
        {true,  true,  true},   // 7: mirrored along the other diagonal
        {true,  true,  false},  // 8: to be turned a quarter anticlockwise
    }};
    // clang-format on
    return tag >= 1 && tag <= 8 ? kByTag[static_cast<std::size_t>(tag - 1)] : Orientation{};
}

void TurnUpright(const std::uint32_t* stored, int width, int height, Orientation orientation,
                 std::uint32_t* shown) {
    const int shownWidth = orientation.swapAxes ? height : width;
    const int shownHeight = orientation.swapAxes ? width : height;
    for (int y = 0; y < shownHeight; ++y) {
        for (int x = 0; x < shownWidth; ++x) {
            int column = orientation.swapAxes ? y : x;
            int row = orientation.swapAxes ? x : y;
            if (orientation.mirrorColumns) {
                column = width - 1 - column;
            }
            if (orientation.mirrorRows) {
                row = height - 1 - row;
            }
            shown[y * shownWidth + x] = stored[row * width + column];
        }
    }
}
