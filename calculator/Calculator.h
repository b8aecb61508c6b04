// The calculator's two operations, run by the main window's two buttons.
#pragma once

#include "calculator/CalcState.h"
#include "calculator/ControlOperations.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace spirex {

// Prompts shown in Label7 when an input is refused.
inline constexpr std::string_view kPromptChooseCore =
    "Scegliere il nucleo ed inserire l'induttanza";
inline constexpr std::string_view kPromptTooLarge = "Induttanza troppo grande per il nucleo";

// The heading above the turns in Label1, which an announcement of the turns repeats.
inline constexpr std::string_view kTurnsHeading = "Numero di spire";

// Inductance prompts shown in Label3, by core family.
inline constexpr std::string_view kPromptMilliHenry = "Inserire valore milli Henry";
inline constexpr std::string_view kPromptMicroHenry = "Inserire valore micro Henry";

// Takes the designation selected in the list, copies that core into `state` and shows its
// designation, material, frequency range and the unit in which to enter the inductance, and
// announces the material, the range and the unit. A designation the catalogue does not hold (in
// practice the empty one) keeps the previous core.
void SelectCore(CalcState& state, ControlOperations& controls);

// Reads the entered inductance and shows and announces the number of turns for the chosen core,
// or beeps, shows a prompt, clears the input and announces the prompt at once when there is no
// core, no positive value, or a result too large to hold.
void CalculateTurns(CalcState& state, ControlOperations& controls);

// The number of turns for inductance `l` on a core: turnsScale * sqrt(l / alValue), in double
// precision, rounded to the nearest integer with halves to even. Nothing when the result does not
// fit a 16-bit signed integer (or is not a number).
[[nodiscard]] std::optional<std::int16_t> ComputeTurns(float l, float alValue,
                                                       std::int16_t turnsScale) noexcept;

} // namespace spirex
