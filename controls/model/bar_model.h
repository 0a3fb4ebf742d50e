// What the bar shows of its value: a fill from the left, for 0 to 100 per cent.
#pragma once

#include <cstdint>

namespace orbek::controls {

// The width in pixels of the fill of a bar whose inside is `inner_width` pixels wide. The
// value is kept as given; only the drawing takes it between 0 and 100.
int bar_fill_width(std::int32_t value, int inner_width);

} // namespace orbek::controls
