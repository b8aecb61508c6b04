// A picture box: a sunken 3-D frame that draws one built-in image unscaled from the top-left of
// its inner area, cutting off whatever does not fit. It takes the keyboard focus, in the tab
// order, and does nothing with it.
#pragma once

#include <QFrame>
#include <QImage>
#include <QString>

namespace spirex::ui {

class PictureBox final : public QFrame {
    Q_OBJECT

public:
    // `format` names the image's format ("png", "bmp"), so that only its decoder is used.
    PictureBox(QString imagePath, const char* format, const QString& accessibleName,
               QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString imagePath_;
    const char* format_;
    QImage image_; // decoded at the first paint
};

} // namespace spirex::ui
