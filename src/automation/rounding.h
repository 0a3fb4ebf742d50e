// Rounding of the automation conversions: to the nearest, halves to the even neighbour.
#pragma once

namespace orbek {

double round_half_even(double value);

} // namespace orbek
