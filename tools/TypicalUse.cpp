// Shows Spirex on the screen, plays the typical use (choose "T37.2", press the first OK, type 10,
// press the second OK) and saves what the screen shows of the window after each step as PNG
// pictures in the folder given as the only argument, with the result label's own picture, and
// prints the result as the label holds it.
#include "ui/Fonts.h"
#include "ui/Form1.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdio>

namespace {

bool Save(QWidget& window, const QDir& folder, const QString& name) {
    QApplication::processEvents();
    QTest::qWait(150);
    const QPixmap shot = window.screen()->grabWindow(window.winId());
    const QString path = folder.filePath(name);
    if (!shot.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    spirex::ui::PrepareTextRendering();
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    spirex::ui::Form1 window([] {});
    window.move(0, 0);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }

    auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
    auto* tasto1 = window.findChild<QPushButton*>(QStringLiteral("Tasto1"));
    auto* tasto2 = window.findChild<QPushButton*>(QStringLiteral("Tasto2"));
    auto* input = window.findChild<QLineEdit*>(QStringLiteral("induttanza"));

    bool ok = Save(window, folder, QStringLiteral("1-start.png"));

    const QList<QListWidgetItem*> items =
        list->findItems(QStringLiteral("T37.2"), Qt::MatchExactly);
    list->scrollToItem(items.front(), QAbstractItemView::PositionAtCenter);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.front()).center());
    QTest::mouseClick(tasto1, Qt::LeftButton);
    ok = Save(window, folder, QStringLiteral("2-core-chosen.png")) && ok;

    QTest::keyClicks(input, QStringLiteral("10"));
    ok = Save(window, folder, QStringLiteral("3-inductance-typed.png")) && ok;

    QTest::mouseClick(tasto2, Qt::LeftButton);
    ok = Save(window, folder, QStringLiteral("4-turns.png")) && ok;
    // The result as the label holds it, and the label's own picture, against which a picture of
    // another run can be read.
    auto* label1 = window.findChild<QLabel*>(QStringLiteral("Label1"));
    std::printf("Label1 shows: %s\n", qPrintable(label1->text()));
    ok = label1->grab().save(folder.filePath(QStringLiteral("Label1.png"))) && ok;

    window.findChild<QAction*>(QStringLiteral("mnu1"))->trigger();
    QWidget* about = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String("frmAbout")) {
            about = top;
        }
    }
    if (about == nullptr || !QTest::qWaitForWindowExposed(about)) {
        std::fprintf(stderr, "the About dialog was never shown\n");
        return 1;
    }
    ok = Save(*about, folder, QStringLiteral("5-about.png")) && ok;
    return ok ? 0 : 1;
}
