#include "ProgramInfo.h"
#include "ui/Fonts.h"
#include "ui/Form1.h"
#include "ui/Style.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    spirex::ui::PrepareTextRendering();
    QApplication app(argc, argv);
    // Desktops tie the windows to the installed desktop entry, its name and its icon, by this id.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(spirex::kDesktopId));
    QApplication::setStyle(new spirex::ui::Style);
    spirex::ui::Form1 window;
    window.show();
    return QApplication::exec();
}
