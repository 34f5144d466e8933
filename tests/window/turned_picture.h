#pragma once

#include "tests/window/form_driver.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

inline bool NearColour(std::uint32_t colour, std::uint32_t expected) {
    const auto close = [&](int shift) {
        return std::abs(int(colour >> shift & 0xFF) - int(expected >> shift & 0xFF)) <= 40;
    };
    return close(0) && close(8) && close(16);
}

// Stored 64 by 32 as four quadrants, red and green over blue and yellow, tagged "turn a quarter
// clockwise to show"; `orientation` replaces that tag. With `xmpAfterExif`, an XMP segment
// follows the EXIF one, as phones and photo editors write it.
inline std::string Turned(char orientation = 6, bool xmpAfterExif = false) {
    using namespace std::literals;
    std::ifstream file(TURNED_JPEG, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const std::size_t tag = bytes.find("\x12\x01\x03\0\x01\0\0\0"sv);  // EXIF 274, one short
    if (tag == std::string::npos) {
        throw std::runtime_error("cannot read " TURNED_JPEG);
    }
    bytes[tag + 8] = orientation;
    if (xmpAfterExif) {
        // Both are APP1 segments; EXIF's is the first, just after the start of the picture.
        const std::string xmp =
            "http://ns.adobe.com/xap/1.0/\0<x:xmpmeta xmlns:x='adobe:ns:meta/'/>"s;
        const std::size_t afterExif = 4 + (std::uint8_t(bytes[4]) << 8 | std::uint8_t(bytes[5]));
        const std::size_t length = xmp.size() + 2;
        bytes.insert(afterExif, "\xFF\xE1"s + char(length >> 8) + char(length & 0xFF) + xmp);
    }
    return bytes;
}

// The quadrants upright, top left to bottom right, for each EXIF orientation used here.
inline std::array<std::uint32_t, 4> UprightQuadrants(char orientation) {
    constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
    constexpr std::uint32_t kYellow = 0xFFFF00;
    switch (orientation) {
        case 3:
            return {kYellow, kBlue, kGreen, kRed};
        case 6:
            return {kBlue, kRed, kYellow, kGreen};
        case 8:
            return {kGreen, kYellow, kRed, kBlue};
    }
    return {kRed, kGreen, kBlue, kYellow};
}

// `shown` is the picture of `orientation` as it is meant to be seen at `room`'s size: every
// pixel has its quadrant's colour, but for those within an eighth of the room of a border, where
// a small picture scaled up blurs, unless `sharp`.
inline testing::AssertionResult ShowsQuadrantsUpright(const Pixels& shown, std::pair<int, int> room,
                                                      char orientation, bool sharp = false) {
    const auto [width, height] = room;
    if (std::pair(shown.width, shown.height) != std::pair(width, height) || shown.rgb.empty()) {
        return testing::AssertionFailure() << "shown at " << shown.width << "x" << shown.height
                                           << " in a room of " << width << "x" << height;
    }
    const auto quadrants = UprightQuadrants(orientation);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x * 2 >= width, bottom = y * 2 >= height;
            const bool nearBorder = !sharp && (std::abs(x * 2 - width) < width / 4 ||
                                               std::abs(y * 2 - height) < height / 4);
            if (!nearBorder && !NearColour(shown.at(x, y), quadrants[bottom * 2 + right])) {
                return testing::AssertionFailure(testing::Message()
                                                 << std::hex << shown.at(x, y) << " at " << std::dec
                                                 << x << "," << y);
            }
        }
    }
    return testing::AssertionSuccess();
}
