// The main window on a real X server: what the server shows holds the photograph, and no label's
// text is wider than its label, for every core and every prompt.
#include "catalogue/CoreCatalogue.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <limits>

using spirex::ui::Form1;

class XvfbTest : public QObject {
    Q_OBJECT

private:
    QImage Grab(QWidget& window) const {
        QApplication::processEvents();
        return window.screen()
            ->grabWindow(window.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    // Every label's text fits its width; a label one line high holds its text on one line.
    static void CheckLabelsFit(const QWidget& window, const char* when) {
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            const QFontMetrics metrics(label->font());
            const QString text = label->text();
            const int width = label->width();
            const QRect wrapped = metrics.boundingRect(QRect(0, 0, width, 10000),
                                                       Qt::TextWordWrap | Qt::AlignLeft, text);
            const QString where =
                QStringLiteral("%1 %2: \"%3\"").arg(QLatin1String(when), label->objectName(), text);
            QVERIFY2(wrapped.width() <= width, qPrintable(where));
            if (label->height() < 2 * metrics.lineSpacing()) {
                QVERIFY2(metrics.horizontalAdvance(text) <= width, qPrintable(where));
            }
        }
    }

private Q_SLOTS:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb")); }

    void pictureIsDrawnUnscaled() {
        Form1 window([] {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(100);
        const QImage shot = Grab(window);

        const QImage photo =
            QImage(QStringLiteral(":/spirex/coil.jpg")).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(photo.size(), QSize(140, 108));
        auto* picture = window.findChild<QWidget*>(QStringLiteral("Picture1"));
        const QPoint origin = picture->mapTo(&window, picture->contentsRect().topLeft());
        int differing = 0;
        for (int y = 0; y < photo.height(); ++y) {
            for (int x = 0; x < photo.width(); ++x) {
                const QColor want = photo.pixelColor(x, y);
                const QColor got = shot.pixelColor(origin + QPoint(x, y));
                if (std::abs(want.red() - got.red()) > 2 ||
                    std::abs(want.green() - got.green()) > 2 ||
                    std::abs(want.blue() - got.blue()) > 2) {
                    ++differing;
                }
            }
        }
        QCOMPARE(differing, 0);
    }

    void noLabelTextIsWiderThanItsLabel() {
        int beeps = 0;
        Form1 window([&beeps] { ++beeps; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        CheckLabelsFit(window, "at start");

        // A one-line label's last columns show only its background: its text is not cut off.
        const QImage shot = Grab(window);
        for (const char* name : {"Label2", "Label3", "Label4", "Label6"}) {
            auto* label = window.findChild<QLabel*>(QLatin1String(name));
            const QRect area(label->mapTo(&window, QPoint(0, 0)), label->size());
            const QRgb background = shot.pixel(area.topRight());
            for (int y = area.top(); y <= area.bottom(); ++y) {
                QVERIFY2(shot.pixel(area.right(), y) == background, name);
            }
        }

        auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
        auto* tasto1 = window.findChild<QPushButton*>(QStringLiteral("Tasto1"));
        auto* tasto2 = window.findChild<QPushButton*>(QStringLiteral("Tasto2"));
        auto* input = window.findChild<QLineEdit*>(QStringLiteral("induttanza"));
        for (int row = 0; row < list->count(); ++row) {
            list->setCurrentRow(row);
            QTest::mouseClick(tasto1, Qt::LeftButton);
            CheckLabelsFit(window, qPrintable(list->item(row)->text()));
        }

        list->setCurrentRow(0); // "T12.0": the largest result it can hold
        QTest::mouseClick(tasto1, Qt::LeftButton);
        input->setText(QStringLiteral("322112"));
        QTest::mouseClick(tasto2, Qt::LeftButton);
        CheckLabelsFit(window, "largest result");
        input->setText(QStringLiteral("322113"));
        QTest::mouseClick(tasto2, Qt::LeftButton);
        CheckLabelsFit(window, "too large");
        QTest::mouseClick(tasto2, Qt::LeftButton);
        CheckLabelsFit(window, "no inductance");
        QCOMPARE(beeps, 2);
    }
};

QTEST_MAIN(XvfbTest)
#include "XvfbTest.moc"
