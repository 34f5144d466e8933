#pragma once

#include <cstdint>

// The sizes of the generated photos the preview benchmarks drop, about those of cameras.
struct PhotoSize {
    int megapixels, width, height;
};
inline constexpr PhotoSize kPhotoSizes[] = {
    {1, 1152, 864}, {6, 2832, 2124}, {24, 5664, 4248}, {48, 8000, 6000}};

// A photo-like pixel as 0x00RRGGBB: smooth gradients with fine texture, so the picture
// compresses as photos do.
inline std::uint32_t PhotoPixel(int x, int y, int width, int height) {
    const int noise = ((x * 7919) ^ (y * 104729)) & 31;
    const auto channel = [noise](int value) {
        return static_cast<std::uint32_t>((value + noise) & 255);
    };
    return channel(x * 255 / width) << 16 | channel(y * 255 / height) << 8 | channel((x + y) / 16);
}
