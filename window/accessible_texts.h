#pragma once

#include <array>
#include <string_view>

// What a screen reader says of a control beyond what it shows: a name where its caption gives
// none or the wrong one, and a description where the name alone does not tell how to use it.
// Check boxes, labels and the copy button are named by their captions.
struct AccessibleText {
    std::u16string_view control;
    std::u16string_view name;         // empty: the caption is the name
    std::u16string_view description;  // empty: none
};

extern const std::array<AccessibleText, 6> kAccessibleTexts;
