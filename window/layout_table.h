#pragma once

#include <QRect>
#include <QStringView>

#include <array>

class QWidget;

// Positions and sizes are in twips, 1/1440 inch: 15 twips make one logical pixel.
struct TwipsRect {
    int left, top, width, height;
};

enum class ControlKind { Frame, Image, Label, TextBox, CheckBox, Button, Timer };
enum class FontRole { PlatformDefault, Font1, Font2 };

constexpr int kNoTabIndex = -1;

// One control of the form as it stands at design time. `value` is the check value of a check
// box (0 cleared, 1 checked, 2 grayed), the interval of the timer in milliseconds and the
// background of the frame as 0x00BBGGRR.
struct ControlSpec {
    QStringView name;
    ControlKind kind;
    QStringView caption;
    TwipsRect twips;
    int tabIndex;
    FontRole font;
    int value;
};

inline constexpr TwipsRect kFormClientTwips{0, 0, 4425, 3495};

extern const std::array<ControlSpec, 16> kFormLayout;

QRect ToPixels(const TwipsRect& twips);

// Creates every control of kFormLayout as a child of `form`, named, placed and valued as the
// table says, with the focus chain in tab-index order.
void BuildControls(QWidget& form);
