#include "ui/Fonts.h"
#include "ui/Form1.h"
#include "ui/Style.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    spirex::ui::PrepareTextRendering();
    QApplication app(argc, argv);
    QApplication::setStyle(new spirex::ui::Style);
    spirex::ui::Form1 window;
    window.show();
    return QApplication::exec();
}
