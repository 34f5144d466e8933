#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

using Bytes = std::vector<unsigned char>;

// Pixels as 0x00RRGGBB, top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y * width + x)]; }
};

inline constexpr std::uint32_t kRed = 0xFF0000;
inline constexpr std::uint32_t kGreen = 0x00FF00;
inline constexpr std::uint32_t kBlue = 0x0000FF;

// Whether two colours differ by little in each channel, as lossy compression leaves them.
bool Near(std::uint32_t colour, std::uint32_t expected);

// A `width` by `height` picture of `colour(x, y)`, encoded by WIC into `container`
// (GUID_ContainerFormatJpeg, GUID_ContainerFormatPng).
Bytes Encoded(REFGUID container, int width, int height,
              const std::function<std::uint32_t(int, int)>& colour);
Bytes Plain(REFGUID container, std::uint32_t colour);

// `jpeg` with an EXIF segment holding only the orientation tag.
Bytes WithExifOrientation(Bytes jpeg, int orientation);

// A JPEG whose frame header claims `width` by `height` pixels over a small picture's data.
Bytes JpegClaiming(int width, int height);

// The picture the image control shows; empty when it shows none.
Pixels ShownPicture(HWND image);
