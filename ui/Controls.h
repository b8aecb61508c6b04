// Building blocks shared by Spirex's two windows: controls placed from a table in twips, labels as
// both windows use them, and the built-in images.
#pragma once

#include "ui/Twips.h"

#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <array>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace spirex::ui {

// A control's name and its place in its window's client area.
struct Placement {
    std::string_view name;
    TwipRect place;
};

template <std::size_t N>
constexpr bool AllWholePixels(const std::array<Placement, N>& layout) {
    for (const Placement& p : layout) {
        if (!p.place.WholePixels()) {
            return false;
        }
    }
    return true;
}

// The placement of the control called `name` in `layout`, found while compiling: a name that the
// layout does not hold stops the build.
template <std::size_t N>
consteval Placement PlacementOf(const std::array<Placement, N>& layout, std::string_view name) {
    for (const Placement& p : layout) {
        if (p.name == name) {
            return p;
        }
    }
    throw std::invalid_argument("the layout holds no control of that name");
}

// Names `widget` after its placement and gives it its place, converted to pixels.
template <typename Widget>
Widget* Place(Widget* widget, const Placement& placement) {
    widget->setObjectName(QString::fromUtf8(placement.name));
    widget->setGeometry(placement.place.ToPixels());
    return widget;
}

struct LabelLook {
    Qt::Alignment horizontal;
    std::optional<QFont> font; // the window's font when empty
    QPalette::ColorRole background;
    std::optional<QColor> text; // a colour of its own, where it reads (see Label)
};

// A label whose text may have a colour of its own. It keeps that colour wherever it reads on the
// label's background; where the user's colour scheme makes the background such that it would
// not, as a dark or high-contrast scheme may, the label shows its text in the scheme's own
// colour for that background instead, and it looks again whenever the scheme changes.
class Label final : public QLabel {
    Q_OBJECT

public:
    Label(const QString& text, QWidget* parent, std::optional<QColor> textColour);

protected:
    void changeEvent(QEvent* event) override;

private:
    void ChooseTextColour();

    std::optional<QColor> textColour_;
};

// A label: opaque, no border, fixed in size, word-wrapped, top-aligned, plain text without an
// access key.
QLabel* MakeLabel(QWidget* parent, const Placement& placement, std::string_view text,
                  const LabelLook& look);

// The contrast between two colours as WCAG measures it, from their relative luminance: 1 for the
// same colour, 21 for black on white. Normal text reads from kReadableContrast up.
inline constexpr double kReadableContrast = 4.5;
double Contrast(const QColor& a, const QColor& b);

// Decodes a built-in image of the given format ("png", "bmp") with that format's decoder alone:
// no image plugin is loaded to guess the format.
QImage ReadImage(const QString& path, const char* format);

} // namespace spirex::ui
