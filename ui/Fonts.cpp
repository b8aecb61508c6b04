#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace spirex::ui {

namespace {

const QString kMsSansSerif = QStringLiteral("MS Sans Serif");
const QString kArial = QStringLiteral("Arial");
const QString kLookAlike = QStringLiteral("Liberation Sans");

// The width of MS Sans Serif against Liberation Sans, measured on the windows' own texts.
constexpr int kMsSansSerifStretch = 96;

QFont MakeFont(const QString& family, qreal points, bool bold) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

// Windows has both typefaces, under these names or under the ones it substitutes for them; no
// stand-in is asked for there.
QFont SansSerifFont(qreal points, bool bold) {
#ifndef Q_OS_WIN
    // The font database answers without loading a font file.
    static const bool installed = QFontDatabase::hasFamily(kMsSansSerif);
    if (!installed) {
        QFont font = MakeFont(kLookAlike, points, bold);
        font.setStretch(kMsSansSerifStretch);
        return font;
    }
#endif
    return MakeFont(kMsSansSerif, points, bold);
}

QFont ArialFont(qreal points, bool bold) {
    QFont font = MakeFont(kArial, points, bold);
#ifndef Q_OS_WIN
    font.setFamilies({kArial, kLookAlike});
#endif
    return font;
}

} // namespace spirex::ui
