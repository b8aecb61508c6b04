#include "ui/Controls.h"

#include <QImageReader>

namespace spirex::ui {

QLabel* MakeLabel(QWidget* parent, const Placement& placement, std::string_view text,
                  const LabelLook& look) {
    auto* label = Place(new QLabel(QString::fromUtf8(text), parent), placement);
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

QImage ReadImage(const QString& path, const char* format) {
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace spirex::ui
