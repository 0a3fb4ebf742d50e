// Rounding of the automation conversions: to the nearest, halves to the even neighbour.
#pragma once

#include <cstdint>

namespace orbek {

double round_half_even(double value);

// The same rounding to a whole number for values well inside the 32-bit range
// (|value| < 2^31 - 1, never NaN), without range checks and without any call: for arithmetic
// done once per pixel. Like round_half_even, it does not depend on the floating-point
// rounding mode.
inline std::int32_t round_half_even_int32(double value) {
    // On the magnitude, so that the conversion's cut toward zero is the floor and the
    // fraction is exact.
    // Without branches: pixels give no pattern a branch predictor could learn.
    const double magnitude = value < 0 ? -value : value;
    auto whole = static_cast<std::int32_t>(magnitude);
    const double fraction = magnitude - whole;
    whole += static_cast<std::int32_t>((fraction > 0.5) | ((fraction == 0.5) & (whole & 1)));
    return value < 0 ? -whole : whole;
}

// A double to the nearest 32-bit float, halves to even (the processor's own conversion),
// without the overflow check of the conversions: for weights known to lie near 0 to 1.
inline float round_to_single(double value) {
    return static_cast<float>(value);
}

} // namespace orbek
