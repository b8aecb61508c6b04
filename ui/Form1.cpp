#include "ui/Form1.h"

#include "calculator/Calculator.h"
#include "catalogue/CoreCatalogue.h"
#include "ui/Announcer.h"
#include "ui/Controls.h"
#include "ui/CoreList.h"
#include "ui/Desktop.h"
#include "ui/Fonts.h"
#include "ui/FrmAbout.h"
#include "ui/PictureBox.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <limits>
#include <optional>
#include <utility>

namespace spirex::ui {

namespace {

// Every control's place in the client area, in twips.
// clang-format off
constexpr std::array<Placement, 13> kLayout{{
    //                 left   top  width height
    {"Label2",     {   120,   360,  1935,  255}},
    {"List1",      {   120,   840,  2055, 1815}},
    {"Tasto1",     {  2400,   840,   615,  375}},
    {"Label8",     {  4320,   720,  1215,  255}},
    {"Picture1",   {  3840,  1080,  2175, 1695}},
    {"Label5",     {  3360,  2880,  3135,  375}},
    {"Label3",     {   240,  3000,  2775,  255}},
    {"Label7",     {  3600,  3120,  2655,  375}},
    {"induttanza", {   120,  3360,  2055,  375}},
    {"Tasto2",     {  2400,  3360,   615,  375}},
    {"Label4",     {   120,  4200,  2055,  255}},
    {"Label1",     {   120,  4560,  2055,  375}},
    {"Label6",     {   360,  5520,  5775,  255}},
}};
// clang-format on
static_assert(AllWholePixels(kLayout) && kForm1ClientArea.WholePixels(),
              "a control's place is not a whole number of pixels at 96 dpi");

consteval Placement At(std::string_view name) {
    return PlacementOf(kLayout, name);
}

} // namespace

Form1::Form1(std::function<void()> beep, QWidget* parent)
    : QMainWindow(parent), beep_(std::move(beep)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kForm1Title));
    setWindowIcon(QPixmap::fromImage(ReadImage(QStringLiteral(":/spirex/icon.png"), "png")));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setFont(SansSerifFont());
    setCentralWidget(client);

    const QFont bold = SansSerifFont(kDialogFontPoints, true);
    const LabelLook centred{Qt::AlignHCenter, std::nullopt, QPalette::Window, std::nullopt};
    const LabelLook left{Qt::AlignLeft, std::nullopt, QPalette::Window, std::nullopt};
    const LabelLook centredBold{Qt::AlignHCenter, bold, QPalette::Window, std::nullopt};
    const LabelLook result{Qt::AlignHCenter, ArialFont(15.75, true), QPalette::Base, std::nullopt};

    // Created back to front: Label7 lies in front of Label5, which it overlaps.
    auto* label2 = MakeLabel(client, At("Label2"), "Scegliere il tipo di nucleo", centred);
    list1_ = Place(new CoreList(client), At("List1"));
    tasto1_ = Place(new QPushButton(QStringLiteral("OK"), client), At("Tasto1"));
    label8_ = MakeLabel(client, At("Label8"), "", centredBold);
    picture1_ = Place(new PictureBox(QStringLiteral(":/spirex/coil.png"), "png",
                                     QStringLiteral("Fotografia di una bobina toroidale avvolta "
                                                    "con filo di rame"),
                                     client),
                      At("Picture1"));
    label5_ = MakeLabel(client, At("Label5"), "", centredBold);
    label3_ = MakeLabel(client, At("Label3"), "Inserire il valore desiderato", left);
    label7_ = MakeLabel(client, At("Label7"), "", centredBold);
    induttanza_ = Place(new QLineEdit(client), At("induttanza"));
    tasto2_ = Place(new QPushButton(QStringLiteral("OK"), client), At("Tasto2"));
    MakeLabel(client, At("Label4"), kTurnsHeading, centred);
    label1_ = MakeLabel(client, At("Label1"), "", result);
    MakeLabel(client, At("Label6"),
              "Nell'inserimento dati il separatore dei decimali dev'essere il punto (non la "
              "virgola)",
              left);

    // The box takes any text of any length; reading it is the calculator's business.
    induttanza_->setMaxLength(std::numeric_limits<int>::max());

    // Enter presses a button only while it has the focus: neither is the window's default.
    for (QPushButton* button : {tasto1_, tasto2_}) {
        button->setAutoDefault(true);
        button->setDefault(false);
    }

    // Screen readers announce the list and the box by the texts beside them. Qt's item views do
    // not look at a buddy label for their accessible name, so the list is also given its label's
    // text; the box follows its label, whose unit prompt changes.
    label2->setBuddy(list1_);
    list1_->setAccessibleName(label2->text());
    label3_->setBuddy(induttanza_);
    // Both buttons read "OK"; their descriptions tell a screen reader's user which does what.
    tasto1_->setAccessibleDescription(QStringLiteral("Sceglie il nucleo selezionato"));
    tasto2_->setAccessibleDescription(QStringLiteral("Calcola il numero di spire"));

    setTabOrder(list1_, tasto1_);
    setTabOrder(tasto1_, picture1_);
    setTabOrder(picture1_, induttanza_);
    setTabOrder(induttanza_, tasto2_);

    mnu1_ = menuBar()->addAction(QStringLiteral("Informazioni"));
    mnu1_->setObjectName(QStringLiteral("mnu1"));
    connect(mnu1_, &QAction::triggered, this, &Form1::mnu1_Click);
    connect(tasto1_, &QPushButton::clicked, this, &Form1::Tasto1_Click);
    connect(tasto2_, &QPushButton::clicked, this, &Form1::Tasto2_Click);

    QStringList designations;
    designations.reserve(static_cast<qsizetype>(CoreCatalogue.size()));
    for (const CoreEntry& core : CoreCatalogue) {
        designations.append(QString::fromUtf8(core.designation));
    }
    list1_->addItems(designations);

    resize(TwipsToPixels(kForm1ClientArea.width, kForm1ClientArea.height) +
           QSize(0, menuBar()->sizeHint().height()));
    list1_->setFocus(Qt::OtherFocusReason);
}

Form1::~Form1() = default;

void Form1::Tasto1_Click() {
    SelectCore(state_, *this);
}

void Form1::Tasto2_Click() {
    CalculateTurns(state_, *this);
}

void Form1::mnu1_Click() {
    // One About dialog: created when needed, otherwise the open one comes to the front.
    if (about_.isNull()) {
        about_ = new FrmAbout();
    }
    BringToFront(*about_);
}

std::string Form1::ListText() const {
    return list1_->SelectedText().toStdString();
}

std::string Form1::InputText() const {
    return induttanza_->text().toStdString();
}

void Form1::SetInputText(std::string_view text) {
    induttanza_->setText(QString::fromUtf8(text));
}

void Form1::SetCaption(Caption label, std::string_view text) {
    QLabel* target = nullptr;
    switch (label) {
    case Caption::Label1:
        target = label1_;
        break;
    case Caption::Label3:
        target = label3_;
        break;
    case Caption::Label5:
        target = label5_;
        break;
    case Caption::Label7:
        target = label7_;
        break;
    case Caption::Label8:
        target = label8_;
        break;
    }
    if (target != nullptr) {
        target->setText(QString::fromUtf8(text));
    }
}

void Form1::FocusInput() {
    induttanza_->setFocus(Qt::OtherFocusReason);
}

void Form1::Announce(std::string_view text, Urgency urgency) {
    ui::Announce(*this, QString::fromUtf8(text), urgency);
}

void Form1::Beep() {
    if (beep_) {
        beep_();
    } else {
        QApplication::beep();
    }
}

} // namespace spirex::ui
