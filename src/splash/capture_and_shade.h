// The arithmetic of the splash window's shadowed background: which rectangle of the screen
// is copied into the background surface, and which shadow is painted into the copy.
#pragma once

#include "platform/surfaces.h"
#include "platform/window_toolkit.h"
#include "splash/shadow_spec.h"

#include <cstdint>

namespace orbek {

// The splash window's own values: the margin round the artwork, in pixels, and its shadow.
inline constexpr int SplashMargin = 32;
inline constexpr ColourValue SplashShadowColour = 50 + 256 * 50 + 65536 * 40; // 0x283232
inline constexpr std::int32_t SplashShadowOffsetX = 8;
inline constexpr std::int32_t SplashShadowOffsetY = 10;

// A rectangle of the screen in pixels.
struct ScreenRectangle {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Half of what the background surface is wider than the artwork, as a 32-bit float: the
// margin that the shadow fills.
float shadow_border(double background_inner_width, double artwork_inner_width);

// The rectangle that the copy comes from: where a window of the given inner size sits when
// centred on the screen, as large as the background surface. Every value is rounded to the
// nearest pixel, halves to even; error 6 when one does not fit 32 bits.
ScreenRectangle capture_source(const ScreenMeasure& screen, double window_inner_width,
                               double window_inner_height, double background_inner_width,
                               double background_inner_height);

// The shadow painted into the copy: a square-cornered rectangle `border` in from the
// background's left and top, ending `offsetX` and `offsetY` pixels (plus one) short of its
// right and bottom margin, with a ring `border` wide. The subtractions are done in floating
// point, then rounded; the colour's parts must each fit a byte (error 6).
ShadowSpec capture_shadow_spec(double border, ColourValue colour, std::int32_t offsetX,
                               std::int32_t offsetY, double background_inner_width,
                               double background_inner_height);

} // namespace orbek
