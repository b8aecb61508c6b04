#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace spirex::ui {

namespace {

const QString kBuiltIn = QStringLiteral("Spirex Sans");

// The width of MS Sans Serif against Spirex Sans, measured on the windows' own texts.
constexpr int kMsSansSerifStretch = 96;

// A font of the built-in face, which is registered on first use.
QFont BuiltInFont(qreal points, bool bold) {
    static const bool registered = [] {
        for (const char* face : {"Regular", "Bold"}) {
            QFontDatabase::addApplicationFont(
                QStringLiteral(":/spirex/fonts/SpirexSans-%1.ttf").arg(QLatin1String(face)));
        }
        return true;
    }();
    Q_UNUSED(registered)
    QFont font(kBuiltIn);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

void PrepareTextRendering() {
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
    }
#endif
}

QFont SansSerifFont(qreal points, bool bold) {
    QFont font = BuiltInFont(points, bold);
    font.setStretch(kMsSansSerifStretch);
#ifdef Q_OS_WIN
    // Light hinting, as Debian's fontconfig asks for: glyphs keep their designed widths. Elsewhere
    // the user's own font settings decide.
    font.setHintingPreference(QFont::PreferVerticalHinting);
#endif
    return font;
}

QFont ArialFont(qreal points, bool bold) {
    QFont font = BuiltInFont(points, bold);
#ifdef Q_OS_WIN
    font.setFamilies({QStringLiteral("Arial"), kBuiltIn});
#endif
    return font;
}

} // namespace spirex::ui
