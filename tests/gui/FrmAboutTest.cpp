// The About dialog, opened from the main window's menu as the user opens it.
#include "ui/Form1.h"
#include "ui/MessageBox.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <memory>

using spirex::ui::Form1;

class FrmAboutTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Form1> main_;
    QList<QPair<QString, QString>> messages_;

    static QList<QWidget*> Dialogs() {
        QList<QWidget*> found;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QLatin1String("frmAbout")) {
                found.append(top);
            }
        }
        return found;
    }
    QWidget* Open() {
        main_->menuBar()->actions().front()->trigger();
        const QList<QWidget*> dialogs = Dialogs();
        if (dialogs.size() != 1) {
            qWarning("expected one About dialog, found %d", static_cast<int>(dialogs.size()));
            return nullptr;
        }
        if (!QTest::qWaitForWindowActive(dialogs.front())) {
            return nullptr;
        }
        return dialogs.front();
    }
    static QString Text(QWidget* dialog, const char* label) {
        return dialog->findChild<QLabel*>(QLatin1String(label))->text();
    }
    static void KeyOn(QWidget* dialog, const char* focus, Qt::Key key) {
        auto* target = dialog->findChild<QWidget*>(QLatin1String(focus));
        target->setFocus();
        QTest::keyClick(target, key);
    }

private Q_SLOTS:
    void init() {
        messages_.clear();
        spirex::ui::SetMessageHandlerForTesting([this](const QString& title, const QString& text) {
            messages_.append({title, text});
        });
        main_ = std::make_unique<Form1>([] {});
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }
    void cleanup() {
        for (QWidget* dialog : Dialogs()) {
            delete dialog;
        }
        main_.reset();
        spirex::ui::SetMessageHandlerForTesting({});
    }

    void loadSetsTitleAndVersion() {
        QWidget* about = Open();
        QVERIFY(about != nullptr);
        QCOMPARE(about->windowTitle(), QStringLiteral("Informazioni su Spirex"));
        QCOMPARE(Text(about, "lblTitle"), QStringLiteral("Spirex"));
        QCOMPARE(Text(about, "lblVersion"), QStringLiteral("Versione 1.1.0"));
        QCOMPARE(Text(about, "lblDescription"),
                 QStringLiteral("Programma per il calcolo delle spire nelle bobine toroidali con "
                                "nuclei AMIDON."));
        QCOMPARE(about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
                 QStringLiteral("&System Info..."));
        QTRY_COMPARE(QApplication::focusWidget(),
                     about->findChild<QWidget*>(QStringLiteral("cmdOK")));
    }

    void creditOnFiveLinesWithFictionalContacts() {
        QWidget* about = Open();
        auto* label = about->findChild<QLabel*>(QStringLiteral("lblDisclaimer"));
        const QString text = label->text();
        QVERIFY(text.startsWith(QStringLiteral("Programma scritto da Orlesti ")));
        QVERIFY(text.contains(QStringLiteral("@example.org")));
        for (const QString& host : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (host.contains(QLatin1Char('@')) || host.startsWith(QLatin1String("www."))) {
                QVERIFY2(host.contains(QLatin1String("example.org")), qPrintable(host));
            }
        }
        const QFontMetrics metrics(label->font());
        const QRect wrapped =
            metrics.boundingRect(QRect(0, 0, label->width(), 1000), Qt::TextWordWrap, text);
        QCOMPARE(wrapped.height() / metrics.lineSpacing(), 5);
        QVERIFY(wrapped.height() <= label->height());
    }

    void oneInstanceAndTheMainWindowStaysUsable() {
        QWidget* about = Open();
        QVERIFY(!about->isModal());
        QVERIFY(about->parentWidget() == nullptr);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        main_->menuBar()->actions().front()->trigger();
        QCOMPARE(Dialogs(), QList<QWidget*>{about});

        auto* list = main_->findChild<QListWidget*>(QStringLiteral("List1"));
        list->setCurrentRow(0);
        QTest::mouseClick(main_->findChild<QPushButton*>(QStringLiteral("Tasto1")), Qt::LeftButton);
        QCOMPARE(main_->findChild<QLabel*>(QStringLiteral("Label8"))->text(),
                 QStringLiteral("T12.0"));
    }

    void keysAndTheCloseBox_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("EscapeOnOK") << "cmdOK" << int(Qt::Key_Escape) << true;
        QTest::newRow("EscapeOnSysInfo") << "cmdSysInfo" << int(Qt::Key_Escape) << true;
        QTest::newRow("EscapeOnPicture") << "Picture1" << int(Qt::Key_Escape) << true;
        QTest::newRow("EnterOnOK") << "cmdOK" << int(Qt::Key_Return) << true;
        QTest::newRow("EnterOnPicture") << "Picture1" << int(Qt::Key_Return) << true;
        QTest::newRow("EnterOnSysInfoStartsTheTool")
            << "cmdSysInfo" << int(Qt::Key_Return) << false;
    }
    void keysAndTheCloseBox() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, closes);
        QPointer<QWidget> about = Open();
        KeyOn(about, qPrintable(focus), static_cast<Qt::Key>(key));
        if (closes) {
            QTRY_VERIFY(about.isNull());
            QVERIFY(messages_.isEmpty());
        } else {
            QVERIFY(!about.isNull() && about->isVisible());
            QCOMPARE(messages_.size(), 1);
        }
    }

    void systemInfoWithoutTheToolShowsTheMessage() {
        QWidget* about = Open();
        QTest::keyClick(about, Qt::Key_S, Qt::AltModifier); // the button's access key
        QTRY_COMPARE(messages_.size(), 1);
        QCOMPARE(messages_.front().first, QStringLiteral("Spirex"));
        QCOMPARE(messages_.front().second,
                 QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili."));
        QVERIFY(about->isVisible());
    }

    void closingDestroysAndReopeningLoadsAgain() {
        QPointer<QWidget> first = Open();
        first->setWindowTitle(QStringLiteral("changed"));
        QVERIFY(first->close());
        QTRY_VERIFY(first.isNull());
        QWidget* second = Open();
        QVERIFY(second != nullptr);
        QCOMPARE(second->windowTitle(), QStringLiteral("Informazioni su Spirex"));
    }

    void layoutFrameAndFirstPosition() {
        QWidget* about = Open();
        const auto px = [](int twips) { return twips / 15; };
        QCOMPARE(about->size(), QSize(px(5730), px(3555)));
        QCOMPARE(about->minimumSize(), about->maximumSize());
        QCOMPARE(about->geometry().topLeft(),
                 about->screen()->geometry().topLeft() + QPoint(px(2340), px(1935)));
        const Qt::WindowFlags flags = about->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);

        struct Row {
            const char* name;
            int left, top, width, height;
        };
        const Row rows[] = {
            {"Picture1", 240, 120, 1410, 1935},       {"lblTitle", 2880, 240, 1245, 240},
            {"lblVersion", 2880, 600, 1245, 225},     {"lblDescription", 1800, 1200, 3645, 570},
            {"lblDisclaimer", 240, 2400, 3030, 1065}, {"cmdOK", 4245, 2625, 1260, 345},
            {"cmdSysInfo", 4260, 3075, 1245, 345},
        };
        for (const Row& row : rows) {
            QCOMPARE(about->findChild<QWidget*>(QLatin1String(row.name))->geometry(),
                     QRect(px(row.left), px(row.top), px(row.width), px(row.height)));
        }

        // The grey line, then the white one two pixels wide, between description and credit.
        const QImage image = about->grab().toImage();
        QCOMPARE(image.pixelColor(px(2000), px(2280)), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(px(2000), px(2340)), QColor(Qt::white));
        QCOMPARE(image.pixelColor(px(2000), px(2340) - 1), QColor(Qt::white));

        const QList<const char*> order{"cmdOK", "cmdSysInfo", "Picture1", "cmdOK"};
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), QLatin1String(order.front()));
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(order[i]));
        }
    }

    // Closing the main window leaves the dialog; the program ends when the dialog closes too.
    void programEndsWithItsLastWindow() {
        QPointer<QWidget> about = Open();
        bool dialogOutlivedMain = false;
        QTimer::singleShot(0, main_.get(), &QWidget::close);
        QTimer::singleShot(50, about, [&] {
            dialogOutlivedMain = !main_->isVisible() && about->isVisible();
            about->close();
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        watchdog.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(dialogOutlivedMain);
    }
};

QTEST_MAIN(FrmAboutTest)
#include "FrmAboutTest.moc"
