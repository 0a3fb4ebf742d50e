#include "automation/rounding.h"

#include <cmath>

namespace orbek {

// Worked out on the magnitude so that the fraction is exact (a - floor(a) loses nothing for
// a >= 1, and is a itself below 1) and nothing depends on the floating-point rounding mode.
double round_half_even(double value) {
    double magnitude = std::fabs(value);
    // From 2^52 on every double is a whole number; NaN and infinities pass through.
    if (!(magnitude < 4503599627370496.0))
        return value;
    double whole = std::floor(magnitude);
    double fraction = magnitude - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return std::copysign(whole, value);
}

} // namespace orbek
