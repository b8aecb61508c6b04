// Starts a window, waits for its first painted frame, then prints the monotonic clock in
// nanoseconds and exits. Built three times, for scripts/bench.py to compare:
//   - Spirex's main window;
//   - a bare Qt Widgets window with one label, of the same size (SPIREX_BARE_WINDOW);
//   - a window of the same Qt widget kinds as Spirex's, with nothing of Spirex in it
//     (SPIREX_WIDGET_SET): what Qt itself costs for the controls the design asks for.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>

#if defined(SPIREX_BARE_WINDOW)
#include <QLabel>
#elif defined(SPIREX_WIDGET_SET)
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#else
#include "ui/Form1.h"
#include "ui/Style.h"
#endif

namespace {

// Notes the first paint of the window; once that frame is finished, reports and quits.
class FirstFrame final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, &FirstFrame::Report);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Report() {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("first-frame-ns %lld\n",
                    static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    bool seen_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
#if defined(SPIREX_BARE_WINDOW)
    QLabel window(QStringLiteral("Spirex"));
    window.resize(424, 420);
#elif defined(SPIREX_WIDGET_SET)
    QMainWindow window;
    window.menuBar()->addAction(QStringLiteral("Informazioni"));
    auto* client = new QWidget;
    window.setCentralWidget(client);
    auto* list = new QListWidget(client);
    list->setGeometry(8, 56, 137, 121);
    for (int i = 0; i < 223; ++i) {
        list->addItem(QStringLiteral("T%1.2").arg(i));
    }
    (new QLineEdit(client))->setGeometry(8, 224, 137, 25);
    (new QPushButton(QStringLiteral("OK"), client))->setGeometry(160, 56, 41, 25);
    (new QPushButton(QStringLiteral("OK"), client))->setGeometry(160, 224, 41, 25);
    for (int i = 0; i < 8; ++i) {
        (new QLabel(QStringLiteral("Nell'inserimento dati"), client))
            ->setGeometry(8, 40 * i, 190, 17);
    }
    QImageReader reader(QStringLiteral(SPIREX_PHOTO), "png");
    reader.setAutoDetectImageFormat(false);
    auto* photo = new QLabel(client);
    photo->setPixmap(QPixmap::fromImage(reader.read()));
    photo->setGeometry(256, 72, 145, 113);
    window.resize(424, 420);
#else
    QApplication::setStyle(new spirex::ui::Style); // as main() does
    spirex::ui::Form1 window;
#endif
    FirstFrame watcher;
    window.installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}
