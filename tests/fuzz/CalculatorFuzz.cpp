// Feeds arbitrary bytes through the two operations to the calculator on a window without widgets,
// and checks what must hold for every input. The first byte chooses the core by its place in the
// catalogue; past the end, the text up to the first zero is taken as the list's text instead. The
// rest is the text typed into the inductance box.
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
    const bool listed = data[0] < CoreCatalogue.size();
    const std::string_view list =
        listed ? CoreCatalogue[data[0]].designation : rest.substr(0, rest.find('\0'));
    rest.remove_prefix(listed ? 0 : std::min(rest.size(), list.size() + 1));
    testing::FakeControls window;
    const auto chosen = window.Press(SelectCore, list);
    Require(chosen.size() >= 2 && chosen[chosen.size() - 2] == "focus" &&
            chosen.back().starts_with("polite=Nucleo:"));
    // A refusal (a beep, a prompt, the box cleared, no result, the prompt announced at once), or
    // a result on a core of the catalogue, written as the whole, never negative, number that it
    // holds, and announced as written.
    const auto log = window.Press(CalculateTurns, rest);
    const std::string turns = std::to_string(window.state.turns);
    Require(log.front() == "beep"
                ? log.size() == 4 && log[2] == "input=" && window.state.turns == 0 &&
                      log[3] == "assertive=" + log[1].substr(log[1].find('=') + 1)
                : FindCore(list) != nullptr && window.state.turns >= 0 &&
                      log == testing::Log{"Label1=" + turns, "polite=Numero di spire: " + turns});
    return 0;
}
