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

#ifndef Q_OS_WIN
// Asks the font database, which loads no font file to answer.
bool Installed(const QString& family) {
    return QFontDatabase::hasFamily(family);
}
#endif

} // namespace

QFont SansSerifFont(qreal points, bool bold) {
#ifdef Q_OS_WIN
    // Windows has both typefaces, under these names or under the ones it substitutes for them.
    static const bool installed = true;
#else
    static const bool installed = Installed(kMsSansSerif);
#endif
    if (installed) {
        return MakeFont(kMsSansSerif, points, bold);
    }
    QFont font = MakeFont(kLookAlike, points, bold);
    font.setStretch(kMsSansSerifStretch);
    return font;
}

QFont ArialFont(qreal points, bool bold) {
    QFont font = MakeFont(kArial, points, bold);
#ifndef Q_OS_WIN
    font.setFamilies({kArial, kLookAlike});
#endif
    return font;
}

} // namespace spirex::ui
