// A window without widgets: it keeps each control's text in a string and records, in order, every
// operation the calculator performs on it.
#pragma once

#include "calculator/ControlOperations.h"

#include <string>
#include <vector>

namespace spirex::testing {

class FakeControls final : public ControlOperations {
public:
    std::string list, input;
    std::vector<std::string> log; // "beep", "focus", "input=<text>", "Label7=<text>", ...

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
};

} // namespace spirex::testing
