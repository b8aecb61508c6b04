// A picture box: a sunken 3-D frame that draws one built-in image unscaled from the top-left of
// its inner area, cutting off whatever does not fit. It takes the keyboard focus, in the tab
// order, and does nothing with it.
#pragma once

#include <QByteArray>
#include <QFrame>
#include <QImage>
#include <QString>

namespace spirex::ui {

// Decodes a built-in image of the given format ("jpeg", "png", "bmp") with that format's decoder
// alone: no other image plugin is loaded to guess the format.
QImage ReadImage(const QString& path, const QByteArray& format);

class PictureBox final : public QFrame {
    Q_OBJECT

public:
    // `format` names the image's format ("jpeg", "bmp"), so that only its decoder is loaded.
    PictureBox(QString imagePath, QByteArray format, const QString& accessibleName,
               QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString imagePath_;
    QByteArray format_;
    QImage image_; // decoded at the first paint
};

} // namespace spirex::ui
