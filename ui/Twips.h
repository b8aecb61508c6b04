// Window geometry is designed in twips (1/1440 inch): 15 twips make one pixel at 96 dots per inch.
// Qt's logical pixels are 96-dpi pixels, so converting here and letting Qt scale for the screen
// keeps every control, font and picture in proportion at any device pixel ratio.
#pragma once

#include <QRect>
#include <QSize>

namespace spirex::ui {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) noexcept {
    return twips / kTwipsPerPixel;
}

// A rectangle in twips, Left and Top measured from the top-left of the client area.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;

    [[nodiscard]] constexpr bool WholePixels() const noexcept {
        return left % kTwipsPerPixel == 0 && top % kTwipsPerPixel == 0 &&
               width % kTwipsPerPixel == 0 && height % kTwipsPerPixel == 0;
    }
    [[nodiscard]] QRect ToPixels() const {
        return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                TwipsToPixels(height)};
    }
};

inline QSize TwipsToPixels(int width, int height) {
    return {TwipsToPixels(width), TwipsToPixels(height)};
}

} // namespace spirex::ui
