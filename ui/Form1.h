// The main window: the core list, the inductance box, the two buttons that run the calculator,
// the labels where it shows its results, the coil photograph and the menu.
#pragma once

#include "calculator/CalcState.h"
#include "calculator/ControlOperations.h"
#include "ui/Twips.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <string_view>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace spirex::ui {

class CoreList;
class FrmAbout;
class PictureBox;

inline constexpr std::string_view kForm1Title = "Spirex 1.1 di  Orlesti";
inline constexpr TwipRect kForm1ClientArea{0, 0, 6360, 5925};

class Form1 final : public QMainWindow, private ControlOperations {
    Q_OBJECT

public:
    // `beep` sounds the system's default beep; tests pass their own to hear it.
    explicit Form1(std::function<void()> beep = {}, QWidget* parent = nullptr);
    ~Form1() override;

    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

private:
    void Tasto1_Click();
    void Tasto2_Click();
    void mnu1_Click();

    // What the calculator may do to this window.
    [[nodiscard]] std::string ListText() const override;
    [[nodiscard]] std::string InputText() const override;
    void SetInputText(std::string_view text) override;
    void SetCaption(Caption label, std::string_view text) override;
    void FocusInput() override;
    void Beep() override;
    void Announce(std::string_view text, Urgency urgency) override;

    CalcState state_;
    std::function<void()> beep_;

    CoreList* list1_ = nullptr;
    QLineEdit* induttanza_ = nullptr;
    QPushButton* tasto1_ = nullptr;
    QPushButton* tasto2_ = nullptr;
    PictureBox* picture1_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label7_ = nullptr;
    QLabel* label8_ = nullptr;
    QAction* mnu1_ = nullptr;
    QPointer<FrmAbout> about_; // the one About dialog, while it is open
};

} // namespace spirex::ui
