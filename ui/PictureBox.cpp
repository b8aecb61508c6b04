#include "ui/PictureBox.h"

#include <QImageReader>
#include <QPainter>
#include <utility>

namespace spirex::ui {

QImage ReadImage(const QString& path, const QByteArray& format) {
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

PictureBox::PictureBox(QString imagePath, QByteArray format, const QString& accessibleName,
                       QWidget* parent)
    : QFrame(parent), imagePath_(std::move(imagePath)), format_(std::move(format)) {
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
