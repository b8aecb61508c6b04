#include "ui/Controls.h"

#include <QEvent>
#include <QImageReader>
#include <algorithm>
#include <cmath>

namespace spirex::ui {

Label::Label(const QString& text, QWidget* parent, std::optional<QColor> textColour)
    : QLabel(text, parent), textColour_(textColour) {
    ChooseTextColour();
}

void Label::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        ChooseTextColour();
    }
}

// The palette's own colours but for the text's, where the label's colour reads on the background
// the palette gives it. Setting the same palette again changes nothing and sends no event.
void Label::ChooseTextColour() {
    if (!textColour_) {
        return;
    }
    QPalette own;
    if (Contrast(*textColour_, palette().color(backgroundRole())) >= kReadableContrast) {
        own.setColor(foregroundRole(), *textColour_);
    }
    setPalette(own);
}

QLabel* MakeLabel(QWidget* parent, const Placement& placement, std::string_view text,
                  const LabelLook& look) {
    auto* label = Place(new Label(QString::fromUtf8(text), parent, look.text), placement);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(look.horizontal | Qt::AlignTop);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(look.background);
    if (look.font) {
        label->setFont(*look.font);
    }
    return label;
}

double Contrast(const QColor& a, const QColor& b) {
    // sRGB's components made linear, weighted by how bright each looks.
    const auto luminance = [](const QColor& colour) {
        const auto linear = [](float component) {
            const auto c = static_cast<double>(component);
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        const QColor rgb = colour.toRgb();
        return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
               0.0722 * linear(rgb.blueF());
    };
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QImage ReadImage(const QString& path, const char* format) {
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace spirex::ui
