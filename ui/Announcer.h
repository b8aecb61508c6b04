// Announcements: a text that a screen reader speaks without the focus moving, as the answer to a
// press that changed only labels, which a screen reader does not read out on its own.
#pragma once

#include "calculator/ControlOperations.h"

class QString;
class QWidget;

namespace spirex::ui {

// Raises `text` as an announcement from `window`, politely (once the screen reader has finished
// what it is saying) or assertively (at once). Nothing is shown, and nothing happens when no
// screen reader listens.
void Announce(QWidget& window, const QString& text, Urgency urgency);

} // namespace spirex::ui
