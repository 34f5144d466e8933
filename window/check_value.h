#pragma once

#include <Qt>

#include <array>
#include <cstdint>

// A check box's value as the option rules count it is the index of its state here: 0 cleared,
// 1 checked, 2 grayed. Qt numbers the states in another order.
inline constexpr std::array<Qt::CheckState, 3> kCheckStates{Qt::Unchecked, Qt::Checked,
                                                            Qt::PartiallyChecked};

inline Qt::CheckState ToCheckState(int value) {
    return value >= 0 && value < static_cast<int>(kCheckStates.size())
               ? kCheckStates[static_cast<std::size_t>(value)]
               : Qt::Unchecked;
}

inline std::int16_t ToCheckValue(Qt::CheckState state) {
    std::int16_t value = 0;
    while (kCheckStates[static_cast<std::size_t>(value)] != state) {
        ++value;
    }
    return value;
}
