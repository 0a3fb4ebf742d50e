// Colour values taken apart into red, green and blue, and put together again.
#pragma once

#include "platform/surfaces.h"

#include <cstdint>

namespace orbek {

// Red is the remainder of colour / 256 with the colour's sign (so a negative colour can give
// a negative red); green and blue are bits 8-15 and 16-23 after an arithmetic shift.
void SplitRGB(ColourValue colour, std::int32_t& red, std::int32_t& green, std::int32_t& blue);

// red + 256 x green + 65536 x blue, where a part above 255 counts as 255 and a negative part
// enters the sum as it is.
ColourValue compose_colour(std::int32_t red, std::int32_t green, std::int32_t blue);

} // namespace orbek
