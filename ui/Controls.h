// Building blocks shared by Spirex's two windows: controls placed from a table in twips, and
// labels as both windows use them.
#pragma once

#include "ui/Twips.h"

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <optional>
#include <span>
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

QString FromUtf8(std::string_view text);

// Names `widget` and gives it its place from `layout`, converted to pixels.
QWidget* PlaceWidget(QWidget* widget, std::span<const Placement> layout, std::string_view name);

template <typename Widget>
Widget* Place(Widget* widget, std::span<const Placement> layout, std::string_view name) {
    PlaceWidget(widget, layout, name);
    return widget;
}

struct LabelLook {
    Qt::Alignment horizontal = Qt::AlignLeft;
    std::optional<QFont> font; // the window's font when empty
    QPalette::ColorRole background = QPalette::Window;
    bool blackText = false; // black, not the palette's text colour
};

// A label: opaque, no border, fixed in size, word-wrapped, top-aligned, plain text without an
// access key.
QLabel* MakeLabel(QWidget* parent, std::span<const Placement> layout, std::string_view name,
                  std::string_view text, const LabelLook& look);

} // namespace spirex::ui
