// The two typefaces of Spirex's windows, "MS Sans Serif" and "Arial". The program carries its own
// face, Spirex Sans (Liberation Sans 2 renamed), and draws its texts with it, so that they look
// the same on every machine whatever fonts it holds: condensed to 96 % it takes the set width of
// MS Sans Serif, for which the windows' labels were measured, and as it is it has Arial's metrics.
// MS Sans Serif is a bitmap face that cannot scale with the display, so Spirex Sans always stands
// in for it; on Windows, Arial stays Arial.
#pragma once

#include <QFont>

namespace spirex::ui {

inline constexpr qreal kDialogFontPoints = 8.25;

// Before the application object exists: on Windows, text is drawn by Qt's own FreeType rather
// than by the system, so that it looks the same on every Windows (and under Wine).
void PrepareTextRendering();

QFont SansSerifFont(qreal points = kDialogFontPoints, bool bold = false);
QFont ArialFont(qreal points, bool bold);

} // namespace spirex::ui
