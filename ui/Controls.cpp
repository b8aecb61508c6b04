#include "ui/Controls.h"

namespace spirex::ui {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* PlaceWidget(QWidget* widget, std::span<const Placement> layout, std::string_view name) {
    widget->setObjectName(FromUtf8(name));
    for (const Placement& p : layout) {
        if (p.name == name) {
            widget->setGeometry(p.place.ToPixels());
            break;
        }
    }
    return widget;
}

QLabel* MakeLabel(QWidget* parent, std::span<const Placement> layout, std::string_view name,
                  std::string_view text, const LabelLook& look) {
    auto* label = Place(new QLabel(FromUtf8(text), parent), layout, name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(look.horizontal | Qt::AlignTop);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(look.background);
    if (look.font) {
        label->setFont(*look.font);
    }
    if (look.blackText) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
    }
    return label;
}

} // namespace spirex::ui
