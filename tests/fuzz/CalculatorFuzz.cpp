// Feeds arbitrary bytes through the two operations to the calculator on a window without widgets,
// and as a registry value to the system-information lookup's reader, and checks what must hold
// for every input. The first byte chooses the core by its place in the catalogue; past the end,
// the text up to the first zero is taken as the list's text instead. The rest is the text typed
// into the inductance box. The value is all but the first byte, its type the first byte.
#include "calculator/Calculator.h"
#include "calculator/ParseLeadingNumber.h"
#include "catalogue/CoreCatalogue.h"
#include "support/FakeControls.h"
#include "sysinfo/SysInfo.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A registry that holds one value under every key, and counts the keys left open.
class OneValue final : public spirex::sysinfo::Registry {
public:
    OneValue(std::uint32_t type, std::string_view bytes) : type_(type), bytes_(bytes) {}
    int open = 0;

    long Open(std::uint32_t, std::string_view, spirex::sysinfo::KeyHandle& key) override {
        key = static_cast<spirex::sysinfo::KeyHandle>(++open);
        return 0;
    }
    long Query(spirex::sysinfo::KeyHandle, std::string_view, std::uint32_t& type,
               std::uint8_t* data, std::uint32_t& size) override {
        type = type_;
        const auto capacity = std::exchange(size, static_cast<std::uint32_t>(bytes_.size()));
        if (size > capacity) {
            return 234; // ERROR_MORE_DATA
        }
        std::copy(bytes_.begin(), bytes_.end(), data);
        return 0;
    }
    void Close(spirex::sysinfo::KeyHandle) override { --open; }

private:
    std::uint32_t type_;
    std::string_view bytes_;
};

// The value as text: what comes in, less one terminating zero; too long or empty reads nothing.
void CheckReader(std::uint8_t type, std::string_view bytes) {
    using spirex::sysinfo::KeyValue;
    OneValue registry(type % 5U, bytes);
    std::string text = "x";
    const KeyValue read = GetKeyValue(registry, 0, "K", "V", text);
    Require(registry.open == 0);
    if (bytes.empty() || bytes.size() > 1024) {
        Require(read == (bytes.empty() ? KeyValue::Failed : KeyValue::NotRead));
    } else if (type % 5U == spirex::sysinfo::kRegSz) {
        Require(read == KeyValue::Read &&
                text == bytes.substr(0, bytes.size() - (bytes.back() == '\0' ? 1U : 0U)));
    } else if (type % 5U == spirex::sysinfo::kRegDword) {
        Require(read == KeyValue::Read && text.starts_with("&hx"));
    } else {
        Require(read == KeyValue::NotRead && text == "x");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace spirex;
    if (size == 0) {
        return 0;
    }
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    CheckReader(data[0], rest);
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
    const double parsed = ParseLeadingNumber(rest);
    Require(!std::isnan(parsed) && state.enteredText == rest);
    if (window.log.front() == "beep") {
        // A refusal: a prompt, the input cleared, no result written.
        Require(window.log.size() == 3 && window.log[2] == "input=" && state.turns == 0);
        return 0;
    }
    // A result: a core and a positive value, and the turns agree with the formula computed here
    // independently (nearbyint rounds halves to even in the default rounding mode).
    Require(core != nullptr && parsed > 0.0 && window.log.size() == 1);
    const auto l = static_cast<double>(static_cast<float>(parsed));
    const double turns =
        std::nearbyint(core->turnsScale * std::sqrt(l / static_cast<double>(core->alValue)));
    Require(turns <= 32767.0 && state.turns == turns);
    Require(window.log[0] == "Label1=" + std::to_string(state.turns));
    return 0;
}
