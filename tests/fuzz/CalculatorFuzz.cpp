// Feeds arbitrary bytes through the two operations to the calculator on a window without widgets,
// and checks what must hold for every input. The first byte chooses the core by its place in the
// catalogue; past the end, the text up to the first zero is taken as the list's text instead. The
// rest is the text typed into the inductance box.
#include "calculator/Calculator.h"
#include "catalogue/CoreCatalogue.h"
#include "support/FakeControls.h"

#include <cstdlib>

static void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace spirex;
    if (size == 0) {
        return 0;
    }
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    testing::FakeControls window;
    if (data[0] < CoreCatalogue.size()) {
        window.list = CoreCatalogue[data[0]].designation;
    } else {
        window.list = rest.substr(0, rest.find('\0'));
        rest.remove_prefix(std::min(rest.size(), window.list.size() + 1));
    }
    const CoreEntry* core = FindCore(window.list);
    CalcState state;
    SelectCore(state, window);
    Require(window.log.back() == "focus" && state.alValue == (core ? core->alValue : 0.0F));

    window.input = rest;
    window.log.clear();
    CalculateTurns(state, window);
    // A refusal (a beep, a prompt, the box cleared, no result), or a result on a chosen core,
    // written as the whole, never negative, number that it holds.
    Require(window.log.front() == "beep"
                ? window.log.size() == 3 && window.log[2] == "input=" && state.turns == 0
                : core != nullptr && state.turns >= 0 && window.log.size() == 1 &&
                      window.log[0] == "Label1=" + std::to_string(state.turns));
    return 0;
}
