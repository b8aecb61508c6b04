// Starts a window, waits for its first painted frame, then prints the monotonic clock in
// nanoseconds and exits. Built twice: as Spirex's main window, and as a bare Qt Widgets window
// with one label (SPIREX_BARE_WINDOW), so that scripts/bench.py can compare the two.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>

#ifdef SPIREX_BARE_WINDOW
#include <QLabel>
#else
#include "ui/Form1.h"
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
#ifdef SPIREX_BARE_WINDOW
    QLabel window(QStringLiteral("Spirex"));
    window.resize(424, 420);
#else
    spirex::ui::Form1 window;
#endif
    FirstFrame watcher;
    window.installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}
