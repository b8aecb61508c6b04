// The main window and the About dialog, driven as a user drives them: clicks and keys on the real
// widgets. Message boxes are answered in advance.
#include "ui/Form1.h"
#include "ui/MessageBox.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <limits>
#include <memory>

class WindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<spirex::ui::Form1> main_;
    QPointer<QWidget> about_; // the last About dialog opened
    QStringList heard_;       // the beeps, each with Label7 as it stood, and the messages shown

    template <typename Widget = QWidget>
    Widget* Find(const char* name, QWidget* window = nullptr) const {
        auto* widget = (window ? window : main_.get())->findChild<Widget*>(QLatin1String(name));
        return widget ? widget : (qFatal("no widget named %s", name), nullptr);
    }
    // Label1, Label3, Label5, Label7 and Label8.
    QStringList Captions() const {
        QStringList texts;
        for (const char* label : {"Label1", "Label3", "Label5", "Label7", "Label8"}) {
            texts << Find<QLabel>(label)->text();
        }
        return texts;
    }
    void Choose(const QString& designation) const {
        auto* list = Find<QListWidget>("List1");
        QListWidgetItem* item = list->findItems(designation, Qt::MatchExactly).value(0);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    }
    void Key(const char* control, Qt::Key key, QWidget* window = nullptr) const {
        Find(control, window)->setFocus();
        QTest::keyClick(Find(control, window), key);
    }
    // Waits for the focus to reach `widget` (Qt Test's QTRY macros warn under -Wconversion
    // from Qt 6.8 on).
    static bool Focused(const QWidget* widget) {
        return QTest::qWaitFor([widget] { return QApplication::focusWidget() == widget; });
    }
    QWidget* OpenAbout() {
        main_->findChild<QAction*>(QStringLiteral("mnu1"))->trigger();
        for (QWidget* top : QApplication::topLevelWidgets()) {
            about_ = top->objectName() == QLatin1String("frmAbout") ? top : about_.data();
        }
        return QTest::qWaitForWindowActive(about_) ? about_ : nullptr;
    }

private Q_SLOTS:
    void init() {
        heard_.clear();
        spirex::ui::SetMessageHandlerForTesting(
            [this](const QString& title, const QString& text) { heard_ << title + ": " + text; });
        main_ = std::make_unique<spirex::ui::Form1>(
            [this] { heard_ << "beep " + Find<QLabel>("Label7")->text(); });
        main_->show();
        main_->activateWindow(); // no window manager does it on a bare X server
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    }
    void cleanup() {
        delete about_;
        main_.reset();
        spirex::ui::SetMessageHandlerForTesting({});
    }

    void typicalUseThenARefusal() {
        auto* list = Find<QListWidget>("List1");
        QCOMPARE(list->count(), 223);
        QCOMPARE(list->item(0)->text(), QStringLiteral("T12.0"));
        QVERIFY(list->selectedItems().isEmpty());
        QVERIFY(Focused(list));
        QCOMPARE(Captions(), (QStringList{"", "Inserire il valore desiderato", "", "", ""}));

        Choose(QStringLiteral("T37.2"));
        QTest::mouseClick(Find("Tasto1"), Qt::LeftButton);
        QCOMPARE(Captions(), (QStringList{"", "Inserire valore micro Henry", "Nucleo: Rosso",
                                          "Freq: da 2 MHz a 30 MHz", "T37.2"}));
        QVERIFY(Focused(Find("induttanza")));
        QTest::keyClicks(Find("induttanza"), QStringLiteral("10"));
        QTest::mouseClick(Find("Tasto2"), Qt::LeftButton);
        QCOMPARE(Captions().front(), QStringLiteral("50"));

        Find<QLineEdit>("induttanza")->clear();
        QTest::keyClicks(Find("induttanza"), QStringLiteral("abc"));
        QTest::mouseClick(Find("Tasto2"), Qt::LeftButton);
        QCOMPARE(heard_, QStringList{"beep Freq: da 2 MHz a 30 MHz"});
        QCOMPARE(Captions(),
                 (QStringList{"50", "Inserire valore micro Henry", "Nucleo: Rosso",
                              "Scegliere il nucleo ed inserire l'induttanza", "T37.2"}));
        QCOMPARE(Find<QLineEdit>("induttanza")->text(), QString());
    }

    // Tab and Backtab go round the controls; Enter presses only a focused button, Escape nothing.
    void keyboard() {
        const QStringList order{"List1", "Tasto1", "Picture1", "induttanza", "Tasto2", "List1"};
        QVERIFY(Focused(Find("List1")));
        for (const auto key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            for (qsizetype i = 1; i < order.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), key);
                QCOMPARE(QApplication::focusWidget()->objectName(),
                         order[key == Qt::Key_Tab ? i : order.size() - 1 - i]);
            }
        }
        Choose(QStringLiteral("T12.1"));
        Key("Tasto1", Qt::Key_Return);
        QTest::keyClicks(Find("induttanza"), QStringLiteral("10"));
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            Key("induttanza", key);
        }
        QCOMPARE(Captions().front(), QString());
        Key("Tasto2", Qt::Key_Enter);
        QCOMPARE(Captions().front(), QStringLiteral("46"));
    }

    // The list keeps one item selected, whatever keys and clicks; the window's size and the
    // places of its controls hold when it is resized; a screen reader names the list and the box
    // by the labels beside them, and tells the two OK buttons apart.
    void listLayoutAndNames() {
        auto* list = Find<QListWidget>("List1");
        Choose(QStringLiteral("T12.2"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualItemRect(list->selectedItems().value(0)).center());
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Down, Qt::Key_Space}) {
            QTest::keyClick(list, key, Qt::ControlModifier);
        }
        QCOMPARE(list->selectedItems().size(), 1);

        QCOMPARE(main_->centralWidget()->size(), QSize(424, 395));
        QCOMPARE(Find("Picture1")->geometry(), QRect(256, 72, 145, 113));
        QCOMPARE(Find<QLineEdit>("induttanza")->maxLength(), std::numeric_limits<int>::max());
        const QRect label6 = Find("Label6")->geometry();
        main_->resize(1000, 900);
        QCOMPARE(Find("Label6")->geometry(), label6);

        const auto name = [this](const char* control, QAccessible::Text text = QAccessible::Name) {
            return QAccessible::queryAccessibleInterface(Find(control))->text(text);
        };
        QCOMPARE(name("List1"), QStringLiteral("Scegliere il tipo di nucleo"));
        QCOMPARE(name("Tasto1", QAccessible::Description),
                 QStringLiteral("Sceglie il nucleo selezionato"));
        QCOMPARE(name("Tasto2", QAccessible::Description),
                 QStringLiteral("Calcola il numero di spire"));
        Key("Tasto1", Qt::Key_Space);
        QCOMPARE(name("induttanza"), QStringLiteral("Inserire valore micro Henry"));
    }

    // What the screen shows: the photograph unscaled, pixel for pixel as the JPEG decoder makes
    // it from the rendered original, and no label's text wider than its label, for every core and
    // prompt; a label one line high holds its text on one line.
    void photographAndLabelsAsShown() {
        QTest::qWait(100);
        const QImage shown = main_->screen()->grabWindow(main_->winId()).toImage();
        const QImage photo = QImageReader(QStringLiteral(SPIREX_PHOTOGRAPH), "jpeg").read();
        const QPoint at = Find("Picture1")->mapTo(main_.get(), QPoint(2, 2));
        if (main_->devicePixelRatio() == 1.0) {
            QCOMPARE(shown.copy(QRect(at, photo.size())).convertToFormat(QImage::Format_RGB32),
                     photo.convertToFormat(QImage::Format_RGB32));
        }
        const QStringList inputs{"322112", "322113", ""}; // the largest result on T12.0, and more
        for (int step = 0; step < 223 + inputs.size(); ++step) {
            Find<QListWidget>("List1")->setCurrentRow(step < 223 ? step : 0);
            Find<QPushButton>("Tasto1")->click();
            Find<QLineEdit>("induttanza")->setText(inputs.value(step - 223));
            Find<QPushButton>(step < 223 ? "Tasto1" : "Tasto2")->click();
            for (const QLabel* label : main_->findChildren<QLabel*>()) {
                const QFontMetrics metrics(label->font());
                const int wrap = label->height() < 2 * metrics.lineSpacing() ? 0 : Qt::TextWordWrap;
                const int width = metrics.boundingRect(label->rect(), wrap, label->text()).width();
                QVERIFY2(width <= label->width(),
                         qPrintable(label->objectName() + QLatin1Char(' ') + label->text()));
            }
        }
    }

    // One dialog at a time, loaded afresh each time; Escape closes it whatever has the focus,
    // Enter unless System Info has it; the main window stays usable meanwhile.
    void aboutDialog() {
        // clang-format off
        const QList<std::tuple<const char*, Qt::Key, bool>> presses{
            {"cmdSysInfo", Qt::Key_Escape, true}, {"Picture1", Qt::Key_Escape, true},
            {"cmdOK", Qt::Key_Return, true}, {"Picture1", Qt::Key_Return, true},
            {"cmdSysInfo", Qt::Key_Return, false}};
        // clang-format on
        for (const auto& [focus, key, closes] : presses) {
            QWidget* const about = OpenAbout();
            QCOMPARE(about->windowTitle(), QStringLiteral("Informazioni su Spirex"));
            QCOMPARE(Find<QLabel>("lblVersion", about)->text(), QStringLiteral("Versione 1.1.0"));
            QVERIFY(Focused(Find("cmdOK", about)));
            about->setWindowTitle(QStringLiteral("changed"));
            Key(focus, key, about);
            QVERIFY(QTest::qWaitFor([&, toClose = closes] { return about_.isNull() == toClose; }));
        }
        QCOMPARE(OpenAbout()->windowTitle(), QStringLiteral("changed"));
        QTest::keyClick(about_, Qt::Key_S, Qt::AltModifier);
        const QStringList twice(
            2, "Spirex: Le informazioni sul sistema non sono attualmente disponibili.");
        QVERIFY(QTest::qWaitFor([&] { return heard_ == twice; }));
        Choose(QStringLiteral("T12.0"));
        Key("Tasto1", Qt::Key_Space);
        QCOMPARE(Captions().back(), QStringLiteral("T12.0"));

        // Closing the main window leaves the dialog; the program ends when it closes too.
        bool dialogOutlivedMain = false;
        QTimer::singleShot(0, main_.get(), &QWidget::close);
        QTimer::singleShot(50, about_, [&] {
            dialogOutlivedMain = !main_->isVisible() && about_->isVisible();
            about_->close();
        });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(dialogOutlivedMain);
    }
};

QTEST_MAIN(WindowsTest)
#include "WindowsTest.moc"
