#include "ui/PictureBox.h"

#include "ui/Controls.h"

#include <QPainter>
#include <utility>

namespace spirex::ui {

PictureBox::PictureBox(QString imagePath, const char* format, const QString& accessibleName,
                       QWidget* parent)
    : QFrame(parent), imagePath_(std::move(imagePath)), format_(format) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(accessibleName);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    if (image_.isNull()) {
        image_ = ReadImage(imagePath_, format_);
    }
    painter.drawImage(contentsRect().topLeft(), image_);
}

} // namespace spirex::ui
