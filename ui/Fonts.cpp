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

// Whether MS Sans Serif is drawn with the look-alike.
bool UseLookAlike() {
#ifdef SPIREX_BUILT_IN_FONTS
    static const bool loaded = [] {
        return QFontDatabase::addApplicationFont(
                   QStringLiteral(":/spirex/fonts/LiberationSans-Regular.ttf")) >= 0 &&
               QFontDatabase::addApplicationFont(
                   QStringLiteral(":/spirex/fonts/LiberationSans-Bold.ttf")) >= 0;
    }();
    return loaded;
#else
    // The font database answers without loading a font file.
    static const bool installed = QFontDatabase::hasFamily(kMsSansSerif);
    return !installed;
#endif
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
    if (!UseLookAlike()) {
        return MakeFont(kMsSansSerif, points, bold);
    }
    QFont font = MakeFont(kLookAlike, points, bold);
    font.setStretch(kMsSansSerifStretch);
#ifdef SPIREX_BUILT_IN_FONTS
    // Light hinting, as Debian's fontconfig asks for: glyphs keep their designed widths.
    font.setHintingPreference(QFont::PreferVerticalHinting);
#endif
    return font;
}

QFont ArialFont(qreal points, bool bold) {
    UseLookAlike(); // the built-in look-alike, where there is one, is ready to stand in
    QFont font = MakeFont(kArial, points, bold);
    font.setFamilies({kArial, kLookAlike});
    return font;
}

} // namespace spirex::ui
