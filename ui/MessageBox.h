// Every message box of Spirex goes through here, so that tests can answer it in advance instead
// of blocking on a real one.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace spirex::ui {

// Shows `text` in a box titled `title` with one OK button and no icon, owned by `owner` (so it
// stays in front of it and has no taskbar button of its own) and modal to the application, and
// returns when it is dismissed.
void ShowMessage(QWidget* owner, const QString& title, const QString& text);

using MessageHandler =
    std::function<void(QWidget* owner, const QString& title, const QString& text)>;

// While a handler is set, ShowMessage calls it instead of showing a box. For tests.
void SetMessageHandlerForTesting(MessageHandler handler);

} // namespace spirex::ui
