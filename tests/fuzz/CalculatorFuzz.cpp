// Feeds arbitrary bytes to the number reader and, through the two operations, to the calculator on
// a window without widgets, and checks what must hold for every input.
//
// Input layout: the first byte chooses the core (a catalogue index; past the end, the rest of the
// input up to the first NUL is taken as the list's text instead); the remaining bytes are the
// text typed into the inductance box.
#include "calculator/Calculator.h"
#include "calculator/ParseLeadingNumber.h"
#include "catalogue/CoreCatalogue.h"
#include "support/FakeControls.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace spirex;
    if (size == 0) {
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto choice = static_cast<std::size_t>(data[0]);
    std::string_view rest = bytes.substr(1);

    testing::FakeControls window;
    if (choice < CoreCatalogue.size()) {
        window.list = std::string(CoreCatalogue[choice].designation);
    } else {
        const auto nul = rest.find('\0');
        window.list = std::string(rest.substr(0, nul));
        rest = nul == std::string_view::npos ? std::string_view{} : rest.substr(nul + 1);
    }
    const std::string typed(rest);

    const double parsed = ParseLeadingNumber(typed);
    Require(!std::isnan(parsed));

    CalcState state;
    SelectCore(state, window);
    Require(window.log.back() == "focus" && window.input.empty());
    const CoreEntry* core = FindCore(window.list);
    Require(state.alValue == (core ? core->alValue : 0.0F));

    window.log.clear();
    window.input = typed;
    CalculateTurns(state, window);
    Require(state.enteredText == typed);

    if (window.log.front() == "beep") {
        // A refusal: one of the two prompts, the input cleared, no result written.
        Require(window.log.size() == 3);
        Require(window.log[1] == "Label7=" + std::string(kPromptChooseCore) ||
                window.log[1] == "Label7=" + std::string(kPromptTooLarge));
        Require(window.log[2] == "input=");
        Require(state.turns == 0);
        return 0;
    }

    // A result: a core was chosen, the value is positive, and the turns agree with the formula
    // computed here independently (nearbyint rounds halves to even in the default mode).
    Require(window.log.size() == 1);
    Require(core != nullptr && parsed > 0.0);
    const auto l = static_cast<float>(parsed);
    const double expected =
        std::nearbyint(static_cast<double>(core->turnsScale) *
                       std::sqrt(static_cast<double>(l) / static_cast<double>(core->alValue)));
    Require(expected >= 0.0 && expected <= 32767.0);
    Require(state.turns == static_cast<std::int16_t>(expected));
    Require(state.inductance == l);
    Require(window.log[0] == "Label1=" + std::to_string(state.turns));
    return 0;
}
