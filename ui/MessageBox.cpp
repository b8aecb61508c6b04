#include "ui/MessageBox.h"

#include <QMessageBox>
#include <QWidget>
#include <utility>

namespace spirex::ui {

namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

} // namespace

void ShowMessage(QWidget* owner, const QString& title, const QString& text) {
    if (Handler()) {
        Handler()(owner, title, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    if (owner != nullptr) {
        box.setFont(owner->font()); // the typeface of the window that asks
    }
    box.exec();
}

void SetMessageHandlerForTesting(MessageHandler handler) {
    Handler() = std::move(handler);
}

} // namespace spirex::ui
