// The two typefaces of Spirex's windows, "MS Sans Serif" and "Arial". Liberation Sans stands in
// where they are missing: it is metric-compatible with Arial, and condensed to 96 % it takes the
// set width of MS Sans Serif, for which the windows' labels were measured. The Windows program
// carries Liberation Sans itself and always uses it for MS Sans Serif, a bitmap face that cannot
// scale with the display.
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
