// The main window and the About dialog, driven as a user drives them: clicks and keys on the real
// widgets. Message boxes are answered in advance.
#include "ui/Controls.h"
#include "ui/Form1.h"
#include "ui/MessageBox.h"

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <QtTest>
#include <QtWidgets>
#include <algorithm>
#include <limits>
#include <memory>

class WindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<spirex::ui::Form1> main_;
    QPointer<QWidget> about_; // the last About dialog opened
    // The beeps, each with Label7 as it stood, the messages shown, and what a screen reader was
    // told: "polite: <text>" or "assertive: <text>", or before Qt 6.8, where a notification is
    // shown instead, "<text>".
    inline static QStringList heard_;

    static void Listen(QAccessibleEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (auto* told = dynamic_cast<QAccessibleAnnouncementEvent*>(event)) {
            const bool now = told->politeness() == QAccessible::AnnouncementPoliteness::Assertive;
            heard_ << (now ? "assertive: " : "polite: ") + told->message();
        }
#else
        if (event->type() == QAccessible::ObjectShow &&
            event->accessibleInterface()->role() == QAccessible::Notification) {
            heard_ << event->accessibleInterface()->text(QAccessible::Name);
        }
#endif
    }
    static QString Told(const char* urgency, const QString& text) {
        return QT_VERSION >= QT_VERSION_CHECK(6, 8, 0) ? urgency + (": " + text) : text;
    }

    template <typename Widget = QWidget>
    Widget* Find(const char* name, QWidget* window = nullptr) const {
        auto* widget = (window ? window : main_.get())->findChild<Widget*>(QLatin1String(name));
        return widget ? widget : (qFatal("no widget named %s", name), nullptr);
    }
    QString Text(const char* label) const {
        return Find<QLabel>(label)->text();
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
    // The controls that Tab reaches from the focused one, `n` times, then Backtab `n` times.
    static QString Round(int n) {
        QStringList names;
        for (int i = 0; i < 2 * n; ++i) {
            QTest::keyClick(QApplication::focusWidget(), i < n ? Qt::Key_Tab : Qt::Key_Backtab);
            names << QApplication::focusWidget()->objectName();
        }
        return names.join(' ');
    }
    // Chooses `core` and presses the first OK; with `typed`, types it and presses the second.
    void Play(const QString& core, const QString& typed = {}) const {
        Choose(core);
        Find<QPushButton>("Tasto1")->click();
        Find<QLineEdit>("induttanza")->setText(typed);
        if (!typed.isNull()) {
            Find<QPushButton>("Tasto2")->click();
        }
    }
    // Every text of `window` that is cut: a label's text wider than the label, or whose ink, as
    // the label wraps it, reaches below the label (drawn in the label made taller), and a button's
    // text larger than the inside of its frame; one per line, empty when none is.
    static QString CutTexts(QWidget* window) {
        QStringList cut;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            const QSize size = label->size();
            label->resize(size + QSize(0, 40));
            const QImage drawn = label->grab().toImage();
            label->resize(size);
            const int height = qCeil(size.height() * drawn.devicePixelRatio());
            const QImage below = drawn.copy(0, height, drawn.width(), drawn.height() - height);
            QImage blank = below;
            blank.fill(below.pixel(0, 0));
            const QRect text =
                label->fontMetrics().boundingRect(label->rect(), Qt::TextWordWrap, label->text());
            cut << (text.width() > size.width() || below != blank ? label->text() : "");
        }
        for (const QPushButton* button : window->findChildren<QPushButton*>()) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect inside =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
            cut << (text.boundedTo(inside.size()) != text ? button->text() : "");
        }
        cut.removeAll(QString());
        return cut.join('\n');
    }
    // Leaves a picture of `window` in the folder SPIREX_PICTURES when that is set; with
    // `compare`, compares what it draws with its reference picture `name`.png and on a difference
    // leaves the picture it saw beside the reference. Returns what went wrong, or nothing.
    static QString Shown(QWidget* window, const QString& name, bool compare) {
        const QImage seen = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString pictures = qEnvironmentVariable("SPIREX_PICTURES");
        if (!pictures.isEmpty() &&
            !(QDir().mkpath(pictures) && seen.save(pictures + '/' + name + ".png"))) {
            return "no picture saved in " + pictures;
        }
        const QString reference = QStringLiteral(SPIREX_REFERENCES "/") + name;
        if (!compare || seen == QImage(reference + ".png").convertToFormat(QImage::Format_RGB32)) {
            return {};
        }
        seen.save(reference + ".seen.png");
        return "drawn unlike " + reference + ".png: see the .seen.png beside it";
    }
    // The lowest contrast between ink and what is behind it, over the visible controls of
    // `window` as drawn (its texts and the list's rows; not the pictures or the scroll bars),
    // with the control's name: the colour of a control's bottom right-hand corner, inside its
    // border, is taken as what is behind, and its pixel farthest from that in contrast as its ink.
    static std::pair<double, QString> LowestContrast(QWidget* window) {
        std::pair<double, QString> lowest{21, ""};
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            const QImage picture = widget->grab(widget->rect().adjusted(3, 3, -3, -3)).toImage();
            const int width = picture.width();
            const QColor behind = picture.pixel(width - 1, picture.height() - 1);
            const bool skipped = widget->inherits("QScrollBar") ||
                                 widget->findChild<QScrollBar*>() ||
                                 widget->inherits("spirex::ui::PictureBox");
            double ink = widget->isVisible() && !skipped ? 1 : 21;
            for (int i = 0; i < width * picture.height() && ink < 21; ++i) {
                ink = std::max(ink,
                               spirex::ui::Contrast(picture.pixel(i % width, i / width), behind));
            }
            lowest = std::min(lowest, {ink, widget->objectName()});
        }
        return lowest;
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
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^Spirex: ")));
        heard_.clear();
        QAccessible::installUpdateHandler(&Listen);
        // As when a screen reader listens: Qt tells the handler of every accessibility event.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        spirex::ui::SetMessageHandlerForTesting(
            [](QWidget* owner, const QString& title, const QString& text) {
                heard_ << (owner ? owner->objectName() : "no owner") + " " + title + ": " + text;
            });
        main_ = std::make_unique<spirex::ui::Form1>([this] { heard_ << "beep " + Text("Label7"); });
        main_->show();
        main_->activateWindow(); // no window manager does it on a bare X server
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    }
    void cleanup() {
        delete about_;
        main_.reset();
        spirex::ui::SetMessageHandlerForTesting({});
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
        QAccessible::installUpdateHandler(nullptr);
    }

    // At start: the list filled and nothing chosen, the focus on it. Tab and Backtab go round
    // the controls; Enter presses only a focused button, Escape nothing; the first OK moves the
    // focus to the box. A refusal beeps before it prompts, clears the box and keeps the result.
    // Clicks and arrow keys move the list's selection, and nothing clears it; the window's size
    // and the places of its controls hold when it is resized; a screen reader names the list and
    // the box by the labels beside them, and tells the two OK buttons apart.
    void mainWindow() {
        auto* list = Find<QListWidget>("List1");
        QCOMPARE(list->count(), 223);
        QCOMPARE(list->item(0)->text(), QStringLiteral("T12.0"));
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(Text("Label1") + Text("Label5") + Text("Label7") + Text("Label8"), QString());
        QCOMPARE(Text("Label3"), QStringLiteral("Inserire il valore desiderato"));
        QVERIFY(Focused(list));
        QCOMPARE(Round(5), "Tasto1 Picture1 induttanza Tasto2 List1 Tasto2 induttanza Picture1 "
                           "Tasto1 List1");
        Choose(QStringLiteral("T12.1"));
        Key("Tasto1", Qt::Key_Return);
        QVERIFY(Focused(Find("induttanza")));
        QStringList said; // what a screen reader says of each: its name / its description
        for (const char* control : {"List1", "Tasto1", "Tasto2", "induttanza"}) {
            QAccessibleInterface* in = QAccessible::queryAccessibleInterface(Find(control));
            said << in->text(QAccessible::Name) + " / " + in->text(QAccessible::Description);
        }
        QCOMPARE(said.join(" | "),
                 "Scegliere il tipo di nucleo /  | OK / Sceglie il nucleo selezionato | "
                 "OK / Calcola il numero di spire | Inserire valore micro Henry / ");
        QTest::keyClicks(Find("induttanza"), QStringLiteral("10"));
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            Key("induttanza", key);
        }
        QCOMPARE(Text("Label1"), QString());
        Key("Tasto2", Qt::Key_Enter);
        QCOMPARE(Text("Label1"), QStringLiteral("46"));

        Find<QLineEdit>("induttanza")->setText(QStringLiteral("abc"));
        QTest::mouseClick(Find("Tasto2"), Qt::LeftButton);
        // Each press told once, the keys in the box never; the refusal at once, after its beep.
        QCOMPARE(heard_, QStringList({Told("polite", "Nucleo: Blu. Freq: da 500 KHz a 5 MHz. "
                                                     "Inserire valore micro Henry"),
                                      Told("polite", "Numero di spire: 46"),
                                      "beep Freq: da 500 KHz a 5 MHz",
                                      Told("assertive", "Scegliere il nucleo ed inserire "
                                                        "l'induttanza")}));
        QCOMPARE(Text("Label1"), QStringLiteral("46"));
        QCOMPARE(Find<QLineEdit>("induttanza")->text(), QString());

        Choose(QStringLiteral("T12.3"));
        QTest::keyClick(list, Qt::Key_Down);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualItemRect(list->selectedItems().value(0)).center());
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Down, Qt::Key_Space}) {
            QTest::keyClick(list, key, Qt::ControlModifier);
        }
        list->scrollToBottom();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, // below the last item
                          list->visualItemRect(list->item(222)).bottomLeft() + QPoint(4, 8));
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(list->selectedItems().value(0)->text(), QStringLiteral("T12.7"));

        QCOMPARE(Find<QLineEdit>("induttanza")->maxLength(), std::numeric_limits<int>::max());
        const QRect label6 = Find("Label6")->geometry();
        main_->resize(1000, 900);
        QCOMPARE(Find("Label6")->geometry(), label6);
    }

    // In the colour scheme and style that the desktop gives, in a dark and two high-contrast
    // schemes and in other styles, each switched to while the About dialog is open: no text is
    // cut, in the dialog and for every core and prompt and the largest result; every text reads,
    // at a contrast of at least 4.5 between its ink and what is behind it; and the core list, in
    // the place it was given, shows at least 6 rows (9 under Fusion), each whole or not at all. As
    // the desktop gives them, at scale 1, both windows after the typical use are drawn as their
    // reference pictures: every place, frame, colour, line, picture and text. Pictures of both
    // windows are left where SPIREX_PICTURES says.
    void asShown_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("sheet"); // the list's style sheet
        const QPalette desktop = QApplication::palette();
        // clang-format off
        // Schemes that only a style drawn from the palette, such as Fusion, shows whole.
        QTest::newRow("dark") << QPalette(QColor(0x353535)) << "Fusion" << ""; // GNOME's Adwaita
        QTest::newRow("high-contrast-black") << QPalette(Qt::black) << "Fusion" << "";
        QTest::newRow("high-contrast-white") << QPalette(Qt::white) << "Fusion" << "";
        QTest::newRow("Windows") << desktop << "Windows" << "";
        QTest::newRow("Fusion") << desktop << "Fusion" << "";
        // Rows as tall as KDE's Breeze style makes them, and Breeze itself where it is installed.
        QTest::newRow("Fusion-padded-as-Breeze") << desktop << "Fusion" << "QListView::item { padding: 3px 0 }";
        QTest::newRow("Breeze") << desktop << "Breeze" << "";
        // Last, so that the tests after it find the look as the desktop gave it.
        QTest::newRow("desktop") << desktop << QApplication::style()->name() << "";
        // clang-format on
    }
    void asShown() {
        QFETCH(QPalette, palette);
        QFETCH(QString, style);
        QFETCH(QString, sheet);
        // WCAG's figures: its grey on white, and black on pure blue and on pure red, which tell
        // the weights of the three primaries apart.
        for (const auto& [a, b, hundredths] : {std::tuple(0xffffffU, 0x767676U, 454),
                                               {0x000000U, 0x0000ffU, 244},
                                               {0x000000U, 0xff0000U, 525}}) {
            QCOMPARE(qRound(spirex::ui::Contrast(QColor(a), QColor(b)) * 100), hundredths);
        }
        auto* list = Find<QListWidget>("List1");
        const QRect placed = list->geometry();
        QVERIFY(OpenAbout());
        if (QApplication::setStyle(style) == nullptr) {
            QSKIP(qPrintable(style + " is not installed here: Spirex is not tried under it"));
        }
        QApplication::setPalette(palette);
        list->setStyleSheet(sheet);
        QCoreApplication::processEvents(); // the windows take the new palette
        const QString look = QTest::currentDataTag();
        const bool compare = look == QLatin1String("desktop") &&
                             qEnvironmentVariableIsEmpty("QT_QPA_PLATFORMTHEME") &&
                             QDir(QStringLiteral(SPIREX_REFERENCES)).exists() &&
                             main_->devicePixelRatio() == 1.0 &&
                             QGuiApplication::platformName() != QLatin1String("windows");
        const auto aboutContrast = LowestContrast(about_);
        QString wrong = CutTexts(about_) + Shown(about_, "about-" + look, compare);
        about_->close();
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        const QStringList inputs{"322112", "322113", ""}; // the largest result on T12.0, and more
        for (int step = 0; step < 223 + inputs.size(); ++step) {
            Play(step < 223 ? list->item(step)->text() : "T12.0",
                 step < 223 ? QString() : inputs[step - 223]);
            wrong += CutTexts(main_.get());
        }
        QApplication::setCursorFlashTime(0); // the caret shown steadily, not blinking
        Play(QStringLiteral("T37.2"), QStringLiteral("10"));
        wrong += Shown(main_.get(), "main-window-" + look, compare);
        list->verticalScrollBar()->setValue(5); // where the scroll bar leaves it, rows not selected
        const auto [contrast, control] = std::min(LowestContrast(main_.get()), aboutContrast);
        // The rows in view: the whole ones, and whether part of another shows at an edge.
        const QRect top = list->visualRect(list->indexAt({1, 0}));
        const int whole = list->viewport()->height() / top.height();
        const bool cut = top.top() != 0 || list->viewport()->height() % top.height() != 0;
        qInfo("%s: lowest contrast %.2f (%s); %d whole rows%s%s",
              qPrintable(palette.color(QPalette::Window).name()), contrast, qPrintable(control),
              whole, cut ? " and part of another" : "", compare ? "" : "; no reference compared");
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        const int rows = style == QLatin1String("Fusion") && sheet.isEmpty() ? 9 : 6;
        QVERIFY(contrast >= 4.5 && whole >= rows && !cut && list->geometry() == placed);
    }

    // One dialog at a time, loaded afresh each time; Escape closes it whatever has the focus,
    // Enter unless System Info has it; Tab goes round OK, System Info and the picture; the main
    // window stays usable meanwhile.
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
            QCOMPARE(about->geometry().topLeft(), QPoint(156, 129)); // its stored place
            QVERIFY(Focused(Find("cmdOK", about)));
            about->setWindowTitle(QStringLiteral("changed"));
            Key(focus, key, about);
            QVERIFY(QTest::qWaitFor([&, toClose = closes] { return about_.isNull() == toClose; }));
        }
        QCOMPARE(OpenAbout()->windowTitle(), QStringLiteral("changed"));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(Round(3), "Picture1 cmdOK cmdSysInfo cmdOK Picture1 cmdSysInfo");
        QTest::keyClick(about_, Qt::Key_S, Qt::AltModifier);
        const QStringList twice(
            2, "frmAbout Spirex: Le informazioni sul sistema non sono attualmente disponibili.");
        QVERIFY(QTest::qWaitFor([&] { return heard_ == twice; }));
        Choose(QStringLiteral("T12.0"));
        Key("Tasto1", Qt::Key_Space);
        QCOMPARE(Text("Label8"), QStringLiteral("T12.0"));

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
