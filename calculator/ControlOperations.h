// The few operations on the main window's controls that the calculator needs. The window
// implements them on its widgets; tests implement them on plain strings. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace spirex {

// The labels the calculator writes.
enum class Caption {
    Label1, // the number of turns
    Label3, // the inductance prompt, naming the unit
    Label5, // the core's material
    Label7, // the frequency range, or a refusal prompt
    Label8, // the chosen designation
};

// How a screen reader is to speak an announcement: once it has finished what it is saying, or at
// once, cutting it short.
enum class Urgency { Polite, Assertive };

class ControlOperations {
public:
    virtual ~ControlOperations() = default;

    // The selected item of the core list, or the empty text when nothing is selected.
    [[nodiscard]] virtual std::string ListText() const = 0;

    // The text of the inductance box.
    [[nodiscard]] virtual std::string InputText() const = 0;
    virtual void SetInputText(std::string_view text) = 0;

    virtual void SetCaption(Caption label, std::string_view text) = 0;

    // Give the inductance box the keyboard focus.
    virtual void FocusInput() = 0;

    // Sound the system's default beep.
    virtual void Beep() = 0;

    // Tell a screen reader's user the answer to a press, in the words the window shows: labels
    // change without taking the focus, and a screen reader does not read them out on its own.
    virtual void Announce(std::string_view text, Urgency urgency) = 0;

protected:
    ControlOperations() = default;
    ControlOperations(const ControlOperations&) = default;
    ControlOperations& operator=(const ControlOperations&) = default;
};

} // namespace spirex
