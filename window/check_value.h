#pragma once

#include <array>
#include <cstdint>

// A check box's value as the option rules read it is the index of the platform's state in a
// table of that platform's three states: cleared, checked, grayed.
template <class State>
using CheckStates = std::array<State, 3>;

template <class State>
State ToCheckState(int value, const CheckStates<State>& states) {
    return value >= 0 && value < static_cast<int>(states.size())
               ? states[static_cast<std::size_t>(value)]
               : states[0];
}

template <class State>
std::int16_t ToCheckValue(State state, const CheckStates<State>& states) {
    for (std::size_t value = 0; value < states.size(); ++value) {
        if (states[value] == state) {
            return static_cast<std::int16_t>(value);
        }
    }
    return 0;
}
