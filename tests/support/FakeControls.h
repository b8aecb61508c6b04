// A window without widgets, with the calculator's state behind it: it keeps each control's text in
// a string and records, in order, every operation the calculator performs on it.
#pragma once

#include "calculator/Calculator.h"

#include <string>
#include <vector>

namespace spirex::testing {

// "beep", "focus", "input=<text>", "Label7=<text>", "polite=<announced>", ...
using Log = std::vector<std::string>;

class FakeControls final : public ControlOperations {
public:
    CalcState state;
    std::string list, input;
    Log log;

    // Puts `text` in the list (for SelectCore) or the box (for CalculateTurns), presses the
    // button and returns what it did to the window, in order.
    Log Press(void (*button)(CalcState&, ControlOperations&), std::string_view text) {
        (button == SelectCore ? list : input) = text;
        log.clear();
        button(state, *this);
        return log;
    }

    [[nodiscard]] std::string ListText() const override { return list; }
    [[nodiscard]] std::string InputText() const override { return input; }
    void SetInputText(std::string_view text) override {
        input = text;
        log.push_back("input=" + input);
    }
    void SetCaption(Caption label, std::string_view text) override {
        static constexpr const char* kNames[] = {"Label1", "Label3", "Label5", "Label7", "Label8"};
        log.push_back(kNames[static_cast<int>(label)] + ("=" + std::string(text)));
    }
    void FocusInput() override { log.emplace_back("focus"); }
    void Beep() override { log.emplace_back("beep"); }
    void Announce(std::string_view text, Urgency urgency) override {
        log.push_back((urgency == Urgency::Polite ? "polite=" : "assertive=") + std::string(text));
    }
};

} // namespace spirex::testing
