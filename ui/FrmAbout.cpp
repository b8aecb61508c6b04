#include "ui/FrmAbout.h"

#include "ProgramInfo.h"
#include "sysinfo/SysInfo.h"
#include "ui/Controls.h"
#include "ui/Desktop.h"
#include "ui/Fonts.h"
#include "ui/MessageBox.h"
#include "ui/PictureBox.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace spirex::ui {

namespace {

inline constexpr TwipRect kClientArea{2340, 1935, 5730, 3555}; // first place on the screen

// clang-format off
constexpr std::array<Placement, 7> kLayout{{
    //                     left   top  width height
    {"Picture1",       {   240,   120,  1410, 1935}},
    {"lblTitle",       {  2880,   240,  1245,  240}},
    {"lblVersion",     {  2880,   600,  1245,  225}},
    {"lblDescription", {  1800,  1200,  3645,  570}},
    {"lblDisclaimer",  {   240,  2400,  3030, 1065}},
    {"cmdOK",          {  4245,  2625,  1260,  345}},
    {"cmdSysInfo",     {  4260,  3075,  1245,  345}},
}};
// clang-format on
static_assert(AllWholePixels(kLayout) && kClientArea.WholePixels(),
              "a control's place is not a whole number of pixels at 96 dpi");

consteval Placement At(std::string_view name) {
    return PlacementOf(kLayout, name);
}

// The two separator lines between the description and the credit, in twips: a grey one and,
// 60 twips below it, a white one twice as wide.
struct Line {
    int x1, y1, x2, y2;
    QColor colour;
    int width; // pixels
};
const std::array<Line, 2> kLines{{
    {120, 2280, 5684, 2280, QColor(128, 128, 128), 1},
    {120, 2340, 5669, 2340, QColor(255, 255, 255), 2},
}};

// Lines may end between two pixels; they are drawn to the nearer one.
int LinePixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// The credit and the contact lines, joined by runs of blanks that word wrapping turns into line
// breaks. The contacts are fictional: the example.org domain is reserved for examples.
constexpr std::string_view kDisclaimer =
    "Programma scritto da Orlesti                                        "
    "Via delle Spire 1                                                   "
    "00000 Toroidia (Italia)                                             "
    "email: orlesti@example.org                                          "
    "www.example.org/spirex";

constexpr std::string_view kSysInfoUnavailable =
    "Le informazioni sul sistema non sono attualmente disponibili.";

// A fixed dialog frame with a title and the close box, and no minimize or maximize button. On
// Windows, Qt gives a dialog that asks for the close button without the system menu hint a frame
// with the system menu and no icon in its title bar.
constexpr Qt::WindowFlags kFrameHints = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowCloseButtonHint |
                                        Qt::MSWindowsFixedSizeDialogHint;
#ifdef Q_OS_WIN
constexpr Qt::WindowFlags kFrameHere = Qt::Dialog | kFrameHints;
#else
// Elsewhere an ordinary window: on X11 Qt makes a dialog without a parent transient for the whole
// program, and the window manager then keeps it above the main window.
constexpr Qt::WindowFlags kFrameHere = Qt::Window | kFrameHints | Qt::WindowSystemMenuHint;
#endif

} // namespace

FrmAbout::FrmAbout() : QDialog(nullptr, kFrameHere) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFont(SansSerifFont());

    const QRect client = kClientArea.ToPixels();
    setFixedSize(client.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(QRect(screen->geometry().topLeft() + client.topLeft(), client.size()));
    }

    // Load: the title bar, the program's title and its version, from the program's metadata.
    setWindowTitle(QStringLiteral("Informazioni su ") + QString::fromUtf8(kProgramTitle));

    const QFont bold = SansSerifFont(kDialogFontPoints, true);
    const LabelLook title{Qt::AlignHCenter, SansSerifFont(9.75, true), QPalette::Window, Qt::black};
    const LabelLook version{Qt::AlignHCenter, bold, QPalette::Window, std::nullopt};
    const LabelLook description{Qt::AlignHCenter, bold, QPalette::Window, Qt::black};
    const LabelLook disclaimer{Qt::AlignLeft, std::nullopt, QPalette::Window, Qt::black};

    auto* picture =
        Place(new PictureBox(QStringLiteral(":/spirex/about.bmp"), "bmp",
                             QStringLiteral("Fotografia di una bobina toroidale"), this),
              At("Picture1"));
    MakeLabel(this, At("lblTitle"), kProgramTitle, title);
    MakeLabel(this, At("lblVersion"),
              "Versione " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
                  "." + std::to_string(kVersionRevision),
              version);
    MakeLabel(this, At("lblDescription"),
              "Programma per il calcolo delle spire nelle bobine toroidali con nuclei AMIDON.",
              description);
    MakeLabel(this, At("lblDisclaimer"), kDisclaimer, disclaimer);

    cmdOK_ = Place(new QPushButton(QStringLiteral("OK"), this), At("cmdOK"));
    cmdSysInfo_ = Place(new QPushButton(QStringLiteral("&System Info..."), this), At("cmdSysInfo"));
    cmdOK_->setDefault(true);

    setTabOrder(cmdOK_, cmdSysInfo_);
    setTabOrder(cmdSysInfo_, picture);
    cmdOK_->setFocus(Qt::OtherFocusReason);

    connect(cmdOK_, &QPushButton::clicked, this, &FrmAbout::close);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &FrmAbout::cmdSysInfo_Click);

    // The native window, made now so that what follows can mark it before it is first shown.
    create();
#ifdef Q_OS_WIN
    // Windows gives a window a taskbar button unless another window owns it. The dialog's owner is
    // a hidden window that lasts as long as the program, not the main window, which may close
    // first. An owned window does not keep Qt's program running, so the dialog holds it running
    // itself for as long as it exists.
    static QWindow* const owner = [] {
        auto* window = new QWindow;
        window->create();
        return window;
    }();
    windowHandle()->setTransientParent(owner);
    keepRunning_ = std::make_unique<QEventLoopLocker>();
#else
    SkipTaskbar(*this);
    KeepUnmaximized(*this);
#endif
}

FrmAbout::~FrmAbout() = default;

void FrmAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (const Line& line : kLines) {
        painter.setPen(QPen(line.colour, line.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(LinePixels(line.x1), LinePixels(line.y1), LinePixels(line.x2),
                         LinePixels(line.y2));
    }
}

void FrmAbout::cmdSysInfo_Click() {
    if (sysinfo::StartSysInfo(sysinfo::PlatformRegistry(), sysinfo::PlatformSystem()) ==
        sysinfo::Outcome::Unavailable) {
        ShowMessage(this, QString::fromUtf8(kProgramTitle), QString::fromUtf8(kSysInfoUnavailable));
    }
}

} // namespace spirex::ui
