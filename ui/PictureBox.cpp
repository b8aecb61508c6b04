#include "ui/PictureBox.h"

#include <QImageReader>
#include <QPainter>
#include <utility>

namespace spirex::ui {

PictureBox::PictureBox(QString imagePath, QByteArray format, const QString& accessibleName,
                       QWidget* parent)
    : QFrame(parent), imagePath_(std::move(imagePath)), format_(std::move(format)) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(accessibleName);
}

const QImage& PictureBox::Image() const {
    if (image_.isNull()) {
        QImageReader reader(imagePath_, format_);
        reader.setDecideFormatFromContent(false);
        image_ = reader.read();
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
