// Feeds arbitrary bytes through the two operations to the calculator on a window without widgets,
// and as a registry value to the system-information lookup's reader, and checks what must hold
// for every input. The first byte chooses the core by its place in the catalogue; past the end,
// the text up to the first zero is taken as the list's text instead. The rest is the text typed
// into the inductance box. The value is all but the first byte, its type the first byte.
#include "calculator/Calculator.h"
#include "catalogue/CoreCatalogue.h"
#include "support/FakeControls.h"
#include "sysinfo/SysInfo.h"

#include <cstdlib>
#include <utility>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

using namespace spirex::sysinfo;

// A registry that holds one value under every key.
struct OneValue final : Registry {
    OneValue(std::uint32_t t, std::string_view b) : type(t), bytes(b) {}
    std::uint32_t type;
    std::string_view bytes;

    long Open(std::uint32_t, std::string_view, KeyHandle&) override { return 0; }
    void Close(KeyHandle) override {}
    long Query(KeyHandle, std::string_view, std::uint32_t& t, std::uint8_t* data,
               std::uint32_t& size) override {
        t = type;
        const auto capacity = std::exchange(size, static_cast<std::uint32_t>(bytes.size()));
        return size > capacity ? 234 : (std::copy(bytes.begin(), bytes.end(), data), 0);
    }
};

// The value as text: all of it less one terminating zero; too long or empty reads nothing.
void CheckReader(std::uint32_t type, std::string_view bytes) {
    OneValue registry(type, bytes);
    std::string text = "x";
    const KeyValue read = GetKeyValue(registry, 0, "K", "V", text);
    const bool fits = !bytes.empty() && bytes.size() <= kValueBufferSize;
    Require(!fits || type != kRegSz ||
            text == bytes.substr(0, bytes.size() - (bytes.back() == '\0' ? 1U : 0U)));
    Require(read == (bytes.empty()                                   ? KeyValue::Failed
                     : fits && (type == kRegSz || type == kRegDword) ? KeyValue::Read
                                                                     : KeyValue::NotRead));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace spirex;
    if (size == 0) {
        return 0;
    }
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    CheckReader(data[0] % 5U, rest);
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
    Require(state.enteredText == rest && state.turns >= 0);
    Require(window.log.front() == "beep"
                ? window.log.size() == 3 && window.log[2] == "input=" && state.turns == 0
                : core != nullptr && window.log.size() == 1 &&
                      window.log[0] == "Label1=" + std::to_string(state.turns));
    return 0;
}
