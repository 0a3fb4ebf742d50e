// Twips on this screen: the real pixels per inch, horizontally and vertically.
#pragma once

#include <cstdint>
#include <windows.h>

namespace orbek {

class ScreenUnits {
  public:
    // Reads the screen's pixels per inch (LOGPIXELSX, LOGPIXELSY).
    static ScreenUnits of_screen();
    ScreenUnits(int dots_per_inch_x, int dots_per_inch_y)
        : dots_x_(dots_per_inch_x), dots_y_(dots_per_inch_y) {}

    // Lengths and positions, to the nearest pixel.
    int x_pixels(std::int32_t twips) const { return MulDiv(twips, dots_x_, TwipsPerInch); }
    int y_pixels(std::int32_t twips) const { return MulDiv(twips, dots_y_, TwipsPerInch); }
    RECT pixels(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) const;
    std::int32_t x_twips(int pixels) const { return MulDiv(pixels, TwipsPerInch, dots_x_); }
    std::int32_t y_twips(int pixels) const { return MulDiv(pixels, TwipsPerInch, dots_y_); }
    // A font's height in pixels from its size in points (negative: the character height).
    int font_height(double points) const;

    int twips_per_pixel_x() const { return TwipsPerInch / dots_x_; }
    int twips_per_pixel_y() const { return TwipsPerInch / dots_y_; }

  private:
    static constexpr int TwipsPerInch = 1440;
    int dots_x_;
    int dots_y_;
};

} // namespace orbek
