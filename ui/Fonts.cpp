#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace spirex::ui {

namespace {

const QString kBuiltIn = QStringLiteral("Spirex Sans");

// The width of MS Sans Serif against Spirex Sans, measured on the windows' own texts.
constexpr int kMsSansSerifStretch = 96;

// A font of the built-in face, which is registered on first use. Should the face fail to load,
// every text would silently be drawn in whatever face the system offers instead: it says so.
QFont BuiltInFont(qreal points, bool bold) {
    static const bool registered = [] {
        bool loaded = true;
        for (const char* face : {"Regular", "Bold"}) {
            const QString file =
                QStringLiteral(":/spirex/fonts/SpirexSans-%1.ttf").arg(QLatin1String(face));
            const int id = QFontDatabase::addApplicationFont(file);
            if (!QFontDatabase::applicationFontFamilies(id).contains(kBuiltIn)) {
                qWarning("Spirex: the built-in face %s did not load; texts are drawn in another",
                         qPrintable(file));
                loaded = false;
            }
        }
        return loaded;
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
