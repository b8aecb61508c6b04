#include "ui/PictureBox.h"

#include <QPainter>
#include <utility>

namespace spirex::ui {

PictureBox::PictureBox(QString imagePath, const QString& accessibleName, QWidget* parent)
    : QFrame(parent), imagePath_(std::move(imagePath)) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(accessibleName);
}

const QImage& PictureBox::Image() const {
    if (image_.isNull()) {
        image_.load(imagePath_);
    }
    return image_;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.drawImage(contentsRect().topLeft(), Image());
}

} // namespace spirex::ui
