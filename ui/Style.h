// Spirex's style: the platform's own, less one icon. A menu bar asks its style, as it is built,
// for the arrow it shows when its items overflow; the style reads that icon from a file by probing
// every image plugin, which costs the start a few plugins and libraries. Spirex's menu bar holds
// one item and never overflows, so the arrow is left out.
#pragma once

#include <QProxyStyle>

namespace spirex::ui {

class Style final : public QProxyStyle {
public:
    [[nodiscard]] QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                                     const QWidget* widget) const override;
};

} // namespace spirex::ui
