// Every message box of Spirex goes through here, so that tests can answer it in advance instead
// of blocking on a real one.
#pragma once

#include <QString>
#include <functional>

namespace spirex::ui {

// Shows `text` in a box titled `title` with one OK button and no icon, modal to the application,
// and returns when it is dismissed.
void ShowMessage(const QString& title, const QString& text);

// While a handler is set, ShowMessage calls it instead of showing a box. For tests.
void SetMessageHandlerForTesting(std::function<void(const QString&, const QString&)> handler);

} // namespace spirex::ui
