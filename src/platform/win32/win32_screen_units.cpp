#include "platform/win32/win32_screen_units.h"

#include <cmath>

namespace orbek {

ScreenUnits ScreenUnits::of_screen() {
    HDC screen = GetDC(nullptr);
    int x = 96;
    int y = 96;
    if (screen != nullptr) {
        x = GetDeviceCaps(screen, LOGPIXELSX);
        y = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return ScreenUnits(x > 0 ? x : 96, y > 0 ? y : 96);
}

RECT ScreenUnits::pixels(std::int32_t left, std::int32_t top, std::int32_t width,
                         std::int32_t height) const {
    // The edges are converted, not the sizes, so that neighbours meet without a gap.
    return {x_pixels(left), y_pixels(top), x_pixels(left + width), y_pixels(top + height)};
}

int ScreenUnits::font_height(double points) const {
    return -static_cast<int>(std::lround(points * dots_y_ / 72.0));
}

} // namespace orbek
