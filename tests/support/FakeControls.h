// A window without widgets: it keeps each control's text in a string and records, in order, every
// operation the calculator performs on it.
#pragma once

#include "calculator/ControlOperations.h"

#include <map>
#include <string>
#include <vector>

namespace spirex::testing {

inline const char* CaptionName(Caption label) {
    switch (label) {
    case Caption::Label1:
        return "Label1";
    case Caption::Label3:
        return "Label3";
    case Caption::Label5:
        return "Label5";
    case Caption::Label7:
        return "Label7";
    case Caption::Label8:
        return "Label8";
    }
    return "?";
}

class FakeControls final : public ControlOperations {
public:
    std::string list;
    std::string input;
    std::map<Caption, std::string> captions;
    std::vector<std::string> log; // "beep", "focus", "input=<text>", "Label7=<text>", ...

    [[nodiscard]] std::string ListText() const override { return list; }
    [[nodiscard]] std::string InputText() const override { return input; }

    void SetInputText(std::string_view text) override {
        input = text;
        log.push_back("input=" + input);
    }
    void SetCaption(Caption label, std::string_view text) override {
        captions[label] = text;
        log.push_back(std::string(CaptionName(label)) + "=" + std::string(text));
    }
    void FocusInput() override { log.emplace_back("focus"); }
    void Beep() override { log.emplace_back("beep"); }

    // The caption last set on `label`, or "<unset>" when the calculator never wrote it.
    [[nodiscard]] std::string Text(Caption label) const {
        const auto it = captions.find(label);
        return it == captions.end() ? "<unset>" : it->second;
    }
};

} // namespace spirex::testing
