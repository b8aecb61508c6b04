#include "ui/MessageBox.h"

#include <QMessageBox>
#include <utility>

namespace spirex::ui {

namespace {

std::function<void(const QString&, const QString&)>& Handler() {
    static std::function<void(const QString&, const QString&)> handler;
    return handler;
}

} // namespace

void ShowMessage(const QString& title, const QString& text) {
    if (Handler()) {
        Handler()(title, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void SetMessageHandlerForTesting(std::function<void(const QString&, const QString&)> handler) {
    Handler() = std::move(handler);
}

} // namespace spirex::ui
