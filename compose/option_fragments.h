#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace compose {

// The texts from which the viewer's command line is made. Every option fragment is empty or
// begins with one blank; modelpath holds a bare path and is quoted when the line is built.
struct OptionFragments {
    std::u16string modelpath, outline, selfshadow, shadow, message, axis, WH, prtscr;
};

// What the load refresh reads from the form. A check value is 0 (cleared), 1 (checked) or
// 2 (grayed); only 1 counts as checked.
struct ControlValues {
    std::array<std::int16_t, 6> checks{};  // Check1 .. Check6
    std::u16string width, height;          // Text2, Text3
};

// Stores the fragment of option box `box` (1..6) for its check `value`; any other box number
// changes nothing.
void RefreshFragment(OptionFragments& fragments, int box, std::int16_t value);

// Stores the window-size fragment: " -ws[width,height]", or nothing when `width` is empty.
void RefreshWH(OptionFragments& fragments, std::u16string_view width, std::u16string_view height);

// Refreshes boxes 1 to 6 in order, then the window size; modelpath is left as it is.
void RefreshAll(OptionFragments& fragments, const ControlValues& values);

// The viewer's launch line: Vandrelix.exe, the quoted model path, then every option fragment.
std::u16string BuildCommandLine(const OptionFragments& fragments);

}  // namespace compose
