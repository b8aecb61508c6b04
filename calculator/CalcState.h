// The calculator's state: the chosen core and the last calculation. One instance lives as long as
// the main window; nothing of it is saved.
#pragma once

#include <cstdint>
#include <string>

namespace spirex {

struct CalcState {
    std::string designation;     // the list's text at the last core selection
    float alValue = 0.0F;        // AL of the last core found in the catalogue
    std::int16_t turnsScale = 0; // 100 (iron powder) or 1000 (ferrite)
    std::string materialLabel;
    std::int16_t turns = 0;  // the last number of turns computed
    float inductance = 0.0F; // the last inductance accepted for a calculation
    std::string enteredText; // the input box's text at the last calculation
    std::string frequencyRange;
    std::string firstLetter; // first character of designation, empty when it is empty
};

} // namespace spirex
