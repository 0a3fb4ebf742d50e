#include "splash/colour_parts.h"

#include <algorithm>

namespace orbek {

void SplitRGB(ColourValue colour, std::int32_t& red, std::int32_t& green, std::int32_t& blue) {
    red = colour % 256;
    green = (colour >> 8) & 255;
    blue = (colour >> 16) & 255;
}

ColourValue compose_colour(std::int32_t red, std::int32_t green, std::int32_t blue) {
    const std::int64_t sum = std::int64_t{std::min(red, 255)} +
                             256 * std::int64_t{std::min(green, 255)} +
                             65536 * std::int64_t{std::min(blue, 255)};
    // Parts far below zero only come from unusual reads; the sum then wraps like the
    // 32-bit value it stands for.
    return static_cast<ColourValue>(static_cast<std::uint32_t>(sum));
}

} // namespace orbek
