// The two typefaces of Spirex's windows. "MS Sans Serif" and "Arial" are asked for first. Where
// they are missing, Liberation Sans stands in: it is metric-compatible with Arial, and condensed
// to 96 % it takes the set width of MS Sans Serif, for which the windows' labels were measured.
#pragma once

#include <QFont>

namespace spirex::ui {

inline constexpr qreal kDialogFontPoints = 8.25;

QFont SansSerifFont(qreal points = kDialogFontPoints, bool bold = false);
QFont ArialFont(qreal points, bool bold);

} // namespace spirex::ui
