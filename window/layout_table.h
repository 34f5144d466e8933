#pragma once

#include <array>
#include <string_view>
#include <vector>

// Positions and sizes are in twips, 1/1440 inch: 15 twips make one pixel at 96 dots per inch.
struct TwipsRect {
    int left, top, width, height;
};

struct PixelRect {
    int left, top, width, height;
};

enum class ControlKind { Frame, Image, Label, TextBox, CheckBox, Button, Timer };
enum class FontRole { PlatformDefault, Font1, Font2 };

constexpr int kNoTabIndex = -1;

// One control of the form as it stands at design time. `value` is the check value of a check
// box (0 cleared, 1 checked, 2 grayed), the interval of the timer in milliseconds and the
// background of the frame as 0x00BBGGRR.
struct ControlSpec {
    std::u16string_view name;
    ControlKind kind;
    std::u16string_view caption;
    TwipsRect twips;
    int tabIndex;
    FontRole font;
    int value;
};

// A font the form sets on some of its controls.
struct FontSpec {
    std::u16string_view face;
    std::u16string_view englishFace;  // the face's name where the system's language is another
    double points;
    int weight;
    int charset;  // 134 is GB2312, Simplified Chinese
};

inline constexpr TwipsRect kFormClientTwips{0, 0, 4425, 3495};

// The controls with the platform's default font were laid out for it at 9 pt, the size Windows
// uses for a Chinese interface; a larger default would clip their captions.
inline constexpr double kLargestDefaultFontPoints = 9.0;

extern const std::array<ControlSpec, 16> kFormLayout;

// The font of `role`; only Font1 and Font2 have one.
const FontSpec& FontOf(FontRole role);

// `twips` in pixels at `dpi` dots per inch, each value rounded to the nearest pixel.
PixelRect ToPixels(const TwipsRect& twips, int dpi = 96);

// The controls with a tab index, in the order the Tab key visits them.
std::vector<const ControlSpec*> TabOrder();
