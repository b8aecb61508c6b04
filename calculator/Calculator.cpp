#include "calculator/Calculator.h"

#include "calculator/ParseLeadingNumber.h"
#include "catalogue/CoreCatalogue.h"

#include <cmath>
#include <initializer_list>
#include <string>

namespace spirex {

namespace {

// The first character of a UTF-8 text: its lead byte and the continuation bytes that follow it.
std::string FirstCharacter(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    std::size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0U) == 0x80U) {
        ++length;
    }
    return std::string(text.substr(0, length));
}

// The smallest double that rounds to an infinite float: halfway between FLT_MAX and the next
// power of two, a tie that rounds to the even neighbour, which is infinity.
constexpr double kFloatOverflow = 0x1.ffffffp127;

// Rounds to the nearest integer, a value halfway between two integers to the even one, without
// depending on the floating-point environment's rounding mode.
double RoundHalfToEven(double value) noexcept {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5) {
        return floor + 1.0;
    }
    if (fraction < 0.5) {
        return floor;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

void Refuse(ControlOperations& controls, std::string_view prompt) {
    controls.Beep();
    controls.SetCaption(Caption::Label7, prompt);
    controls.SetInputText({});
    controls.Announce(prompt, Urgency::Assertive);
}

// Captions read one after the other, each a sentence of its own, without the blank that a
// caption with an empty value ends in; an empty one is left out.
std::string Sentences(std::initializer_list<std::string_view> captions) {
    std::string spoken;
    for (std::string_view caption : captions) {
        caption = caption.substr(0, caption.find_last_not_of(' ') + 1);
        if (!caption.empty()) {
            spoken.append(spoken.empty() ? "" : ". ").append(caption);
        }
    }
    return spoken;
}

} // namespace

std::optional<std::int16_t> ComputeTurns(float l, float alValue, std::int16_t turnsScale) noexcept {
    const double quotient = static_cast<double>(l) / static_cast<double>(alValue);
    const double product = static_cast<double>(turnsScale) * std::sqrt(quotient);
    const double rounded = RoundHalfToEven(product);
    // Written so that a NaN fails too.
    if (!(rounded >= INT16_MIN && rounded <= INT16_MAX)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

void SelectCore(CalcState& state, ControlOperations& controls) {
    controls.SetCaption(Caption::Label1, {});
    controls.SetInputText({});
    state.designation = controls.ListText();

    if (const CoreEntry* core = FindCore(state.designation)) {
        state.alValue = core->alValue;
        state.turnsScale = core->turnsScale;
        state.materialLabel = std::string(core->materialLabel);
    }
    if (const auto range = FrequencyRangeFor(state.materialLabel)) {
        state.frequencyRange = std::string(*range);
    }

    const std::string material = "Nucleo: " + state.materialLabel;
    const std::string range = "Freq: " + state.frequencyRange;
    controls.SetCaption(Caption::Label8, state.designation);
    controls.SetCaption(Caption::Label5, material);
    controls.SetCaption(Caption::Label7, range);

    state.firstLetter = FirstCharacter(state.designation);
    std::string_view prompt;
    if (state.firstLetter == "F") {
        prompt = kPromptMilliHenry;
    } else if (state.firstLetter == "T") {
        prompt = kPromptMicroHenry;
    }
    if (!prompt.empty()) {
        controls.SetCaption(Caption::Label3, prompt);
    }

    controls.FocusInput();
    controls.Announce(Sentences({material, range, prompt}), Urgency::Polite);
}

void CalculateTurns(CalcState& state, ControlOperations& controls) {
    state.enteredText = controls.InputText();
    const double entered = ParseLeadingNumber(state.enteredText);

    const bool hasText = !state.enteredText.empty();
    const bool positive = entered > 0.0;
    const bool hasCore = state.alValue != 0.0F;
    if (!(hasText && positive && hasCore)) {
        Refuse(controls, kPromptChooseCore);
        return;
    }

    // An inductance beyond single precision, or a result beyond 16 bits, cannot be held.
    if (entered >= kFloatOverflow) {
        Refuse(controls, kPromptTooLarge);
        return;
    }
    const auto l = static_cast<float>(entered);
    const auto turns = ComputeTurns(l, state.alValue, state.turnsScale);
    if (!turns) {
        Refuse(controls, kPromptTooLarge);
        return;
    }

    state.inductance = l;
    state.turns = *turns;
    const std::string turnsText = std::to_string(state.turns);
    controls.SetCaption(Caption::Label1, turnsText);
    controls.Announce(std::string(kTurnsHeading) + ": " + turnsText, Urgency::Polite);
}

} // namespace spirex
