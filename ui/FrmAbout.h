// The About dialog: the program's title, version and description, a photograph, the author's
// credit, and a button that starts the system-information tool.
#pragma once

#include <QDialog>
#include <QEventLoopLocker>
#include <memory>

class QPushButton;

namespace spirex::ui {

class FrmAbout final : public QDialog {
    Q_OBJECT

public:
    // Created without an owner: the dialog and the main window are independent top-level
    // windows, and the program runs until both are closed. It deletes itself when closed.
    FrmAbout();
    ~FrmAbout() override;

    FrmAbout(const FrmAbout&) = delete;
    FrmAbout& operator=(const FrmAbout&) = delete;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void cmdSysInfo_Click();

    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdSysInfo_ = nullptr;
    std::unique_ptr<QEventLoopLocker> keepRunning_; // on Windows, where the dialog is owned
};

} // namespace spirex::ui
