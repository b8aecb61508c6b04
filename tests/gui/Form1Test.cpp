// The main window, driven as a user drives it: clicks and keys on the real widgets.
#include "ui/Form1.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <memory>

using spirex::ui::Form1;

class Form1Test : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Form1> window_;
    int beeps_ = 0;
    QString label7AtBeep_;

    template <typename Widget = QWidget>
    Widget* Find(const char* name) const {
        auto* widget = window_->findChild<Widget*>(QLatin1String(name));
        if (widget == nullptr) {
            qFatal("no widget named %s", name);
        }
        return widget;
    }
    QString Text(const char* label) const { return Find<QLabel>(label)->text(); }

    void Choose(const QString& designation) const {
        auto* list = Find<QListWidget>("List1");
        QListWidgetItem* item = list->findItems(designation, Qt::MatchExactly).value(0);
        QVERIFY(item != nullptr);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        QVERIFY(item->isSelected());
    }
    void Press(const char* button) const {
        QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton);
    }
    void Type(const QString& text) const {
        auto* input = Find<QLineEdit>("induttanza");
        input->clear();
        QTest::keyClicks(input, text);
    }

private Q_SLOTS:
    void init() {
        beeps_ = 0;
        window_ = std::make_unique<Form1>([this] {
            ++beeps_;
            label7AtBeep_ = Text("Label7");
        });
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void startState() {
        auto* list = Find<QListWidget>("List1");
        QCOMPARE(list->count(), 223);
        QCOMPARE(list->item(0)->text(), QStringLiteral("T12.0"));
        QCOMPARE(list->item(222)->text(), QStringLiteral("FT240.72"));
        QVERIFY(list->selectedItems().isEmpty());
        for (const char* label : {"Label1", "Label5", "Label7", "Label8"}) {
            QCOMPARE(Text(label), QString());
        }
        QCOMPARE(Text("Label3"), QStringLiteral("Inserire il valore desiderato"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Spirex 1.1 di  Orlesti"));
        QTRY_COMPARE(QApplication::focusWidget(), list);
        QVERIFY(!window_->windowIcon().isNull());
    }

    void typicalUse() {
        Choose(QStringLiteral("T37.2"));
        Press("Tasto1");
        QCOMPARE(Text("Label8"), QStringLiteral("T37.2"));
        QCOMPARE(Text("Label5"), QStringLiteral("Nucleo: Rosso"));
        QCOMPARE(Text("Label7"), QStringLiteral("Freq: da 2 MHz a 30 MHz"));
        QCOMPARE(Text("Label3"), QStringLiteral("Inserire valore micro Henry"));
        QTRY_COMPARE(QApplication::focusWidget(), Find("induttanza"));

        QTest::keyClicks(Find("induttanza"), QStringLiteral("10"));
        Press("Tasto2");
        QCOMPARE(Text("Label1"), QStringLiteral("50"));
        QCOMPARE(window_->State().turns, 50);
        QCOMPARE(beeps_, 0);
    }

    void refusalBeepsOnceBeforeThePrompt() {
        Choose(QStringLiteral("FT82.43"));
        Press("Tasto1");
        QCOMPARE(Text("Label3"), QStringLiteral("Inserire valore milli Henry"));
        Type(QStringLiteral("1"));
        Press("Tasto2");
        const QString result = Text("Label1");
        QVERIFY(!result.isEmpty());

        Type(QStringLiteral("abc"));
        Press("Tasto2");
        QCOMPARE(beeps_, 1);
        QCOMPARE(label7AtBeep_, QStringLiteral("Freq: da 10 KHz a 1 MHz"));
        QCOMPARE(Text("Label7"), QStringLiteral("Scegliere il nucleo ed inserire l'induttanza"));
        QCOMPARE(Find<QLineEdit>("induttanza")->text(), QString());
        QCOMPARE(Text("Label1"), result);
    }

    void pressingBeforeChoosingRefuses() {
        Press("Tasto1");
        QCOMPARE(Text("Label5"), QStringLiteral("Nucleo: "));
        QCOMPARE(Text("Label3"), QStringLiteral("Inserire il valore desiderato"));
        Type(QStringLiteral("10"));
        Press("Tasto2");
        QCOMPARE(beeps_, 1);
        QCOMPARE(Text("Label1"), QString());
    }

    void keyboardOrder() {
        const QList<const char*> order{"List1",      "Tasto1", "Picture1",
                                       "induttanza", "Tasto2", "List1"};
        QTRY_COMPARE(QApplication::focusWidget(), Find(order.front()));
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(order[i]));
        }
        for (qsizetype i = order.size() - 2; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(order[i]));
        }
    }

    void listCannotBeEmptied() {
        auto* list = Find<QListWidget>("List1");
        Choose(QStringLiteral("T12.2"));
        QListWidgetItem* chosen = list->selectedItems().value(0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualItemRect(chosen).center());
        QCOMPARE(list->selectedItems(), QList<QListWidgetItem*>{chosen});

        list->setFocus();
        for (const auto& [key, modifiers] :
             QList<std::pair<Qt::Key, Qt::KeyboardModifiers>>{{Qt::Key_Space, Qt::ControlModifier},
                                                              {Qt::Key_Down, Qt::ControlModifier},
                                                              {Qt::Key_Space, Qt::ControlModifier},
                                                              {Qt::Key_Escape, Qt::NoModifier},
                                                              {Qt::Key_Delete, Qt::NoModifier}}) {
            QTest::keyClick(list, key, modifiers);
            QCOMPARE(list->selectedItems().size(), 1);
        }
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(list->selectedItems().value(0)->text(), QStringLiteral("FT240.72"));
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(list->selectedItems().value(0)->text(), QStringLiteral("T12.0"));
    }

    void enterPressesOnlyAFocusedButton() {
        Choose(QStringLiteral("T12.1"));
        Find("Tasto1")->setFocus();
        QTest::keyClick(Find("Tasto1"), Qt::Key_Return);
        QCOMPARE(Text("Label8"), QStringLiteral("T12.1"));

        QTest::keyClicks(Find("induttanza"), QStringLiteral("10"));
        QTest::keyClick(Find("induttanza"), Qt::Key_Return);
        QTest::keyClick(Find("induttanza"), Qt::Key_Enter);
        QCOMPARE(Text("Label1"), QString());
        QTest::keyClick(window_.get(), Qt::Key_Escape);
        QCOMPARE(Text("Label1"), QString());

        Find("Tasto2")->setFocus();
        QTest::keyClick(Find("Tasto2"), Qt::Key_Enter);
        QCOMPARE(Text("Label1"), QStringLiteral("46"));
        QCOMPARE(beeps_, 0);
    }

    void layoutMatchesTheTwipsTable() {
        struct Row {
            const char* name;
            int left, top, width, height; // twips
        };
        // clang-format off
        const Row rows[] = {
            {"Label2", 120, 360, 1935, 255},    {"List1", 120, 840, 2055, 1815},
            {"Tasto1", 2400, 840, 615, 375},    {"Label8", 4320, 720, 1215, 255},
            {"Picture1", 3840, 1080, 2175, 1695}, {"Label5", 3360, 2880, 3135, 375},
            {"Label3", 240, 3000, 2775, 255},   {"Label7", 3600, 3120, 2655, 375},
            {"induttanza", 120, 3360, 2055, 375}, {"Tasto2", 2400, 3360, 615, 375},
            {"Label4", 120, 4200, 2055, 255},   {"Label1", 120, 4560, 2055, 375},
            {"Label6", 360, 5520, 5775, 255},
        };
        // clang-format on
        const auto px = [](int twips) { return twips / 15; };
        QWidget* client = window_->centralWidget();
        QCOMPARE(client->size(), QSize(px(6360), px(5925)));
        QCOMPARE(client->mapTo(window_.get(), QPoint(0, 0)).y(), window_->menuBar()->height());
        for (const Row& row : rows) {
            QWidget* widget = Find(row.name);
            QCOMPARE(widget->parentWidget(), client);
            QCOMPARE(widget->geometry(),
                     QRect(px(row.left), px(row.top), px(row.width), px(row.height)));
        }
        const QObjectList& stack = client->children();
        QVERIFY(stack.indexOf(Find("Label7")) > stack.indexOf(Find("Label5")));

        // Whatever the screen's scale, the layout is the same in logical pixels and the picture
        // keeps its size in them.
        const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
        QCOMPARE(window_->devicePixelRatio(), scale.isEmpty() ? 1.0 : scale.toDouble());
        QCOMPARE(Find("Picture1")->grab().deviceIndependentSize(), QSizeF(145, 113));
    }

    void resizingMovesNothing() {
        QHash<QWidget*, QRect> before;
        for (QWidget* widget :
             window_->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            before.insert(widget, widget->geometry());
        }
        window_->showMaximized();
        QTRY_VERIFY(window_->isMaximized());
        window_->resize(200, 150);
        window_->resize(1000, 900);
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            QCOMPARE(it.key()->geometry(), it.value());
        }
    }

    void controlsAndLabels() {
        for (const char* name :
             {"Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8", "Label1"}) {
            auto* label = Find<QLabel>(name);
            QVERIFY2(label->autoFillBackground() && label->wordWrap(), name);
            QVERIFY2(label->accessibleName().isEmpty(), name);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
        QCOMPARE(Find<QLabel>("Label1")->backgroundRole(), QPalette::Base);
        QCOMPARE(Find<QLabel>("Label1")->font().pointSizeF(), 15.75);
        QVERIFY(Find<QLabel>("Label1")->font().bold());
        QVERIFY(Find<QLabel>("Label7")->font().bold());
        QVERIFY(!Find<QLabel>("Label6")->font().bold());
        QCOMPARE(Find<QLabel>("Label6")->font().pointSizeF(), 8.25);
        QCOMPARE(Find<QLabel>("Label2")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(Find<QLabel>("Label3")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

        QCOMPARE(Find<QLabel>("Label2")->buddy(), Find("List1"));
        QCOMPARE(Find<QLabel>("Label3")->buddy(), Find("induttanza"));
        QVERIFY(!Find("Picture1")->accessibleName().isEmpty());
        for (const char* button : {"Tasto1", "Tasto2"}) {
            QCOMPARE(Find<QPushButton>(button)->text(), QStringLiteral("OK"));
            QVERIFY(Find<QPushButton>(button)->accessibleName().isEmpty());
            QVERIFY(!Find<QPushButton>(button)->isDefault());
        }
        QCOMPARE(Find<QLineEdit>("induttanza")->maxLength(), std::numeric_limits<int>::max());

        const QList<QAction*> menu = window_->menuBar()->actions();
        QCOMPARE(menu.size(), 1);
        QCOMPARE(menu.front()->text(), QStringLiteral("Informazioni"));
        QCOMPARE(menu.front()->objectName(), QStringLiteral("mnu1"));
        QVERIFY(menu.front()->menu() == nullptr);
    }

    void screenReaderNamesTheListAndTheBoxByTheirLabels() {
        const auto name = [this](const char* control) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(Find(control));
            return iface != nullptr ? iface->text(QAccessible::Name) : QStringLiteral("<none>");
        };
        QCOMPARE(name("List1"), Text("Label2"));
        QCOMPARE(name("induttanza"), QStringLiteral("Inserire il valore desiderato"));
        // The box's name follows the unit prompt as it changes.
        Choose(QStringLiteral("FT23.68"));
        Press("Tasto1");
        QCOMPARE(name("induttanza"), QStringLiteral("Inserire valore milli Henry"));
    }

    void longInputIsKeptWhole() {
        Choose(QStringLiteral("T12.1"));
        Press("Tasto1");
        const QString text = QStringLiteral("1") + QString(40000, QLatin1Char('0'));
        Find<QLineEdit>("induttanza")->setText(text);
        QCOMPARE(Find<QLineEdit>("induttanza")->text(), text);
        Press("Tasto2");
        QCOMPARE(beeps_, 1);
        QCOMPARE(Text("Label7"), QStringLiteral("Induttanza troppo grande per questo nucleo"));
    }
};

QTEST_MAIN(Form1Test)
#include "Form1Test.moc"
