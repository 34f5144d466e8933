#pragma once

#include <cstdint>

// How a picture stored in one orientation is turned upright: the axes swapped first, then the
// stored columns and rows counted from the other end.
struct Orientation {
    bool swapAxes = false;
    bool mirrorColumns = false;
    bool mirrorRows = false;
};

// The orientation of EXIF tag 274 (1 to 8); any other value leaves the picture as stored.
Orientation FromExifOrientation(int tag);

// Copies the `width` by `height` pixels of `stored` to `shown` upright; `shown` is `height`
// by `width` pixels when the orientation swaps the axes.
void TurnUpright(const std::uint32_t* stored, int width, int height, Orientation orientation,
                 std::uint32_t* shown);
